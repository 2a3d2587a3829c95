#pragma once

#include <map>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <string>
#include <vector>

#include "pdf/RecordPageDrawing.h"

namespace morvind {

// An object of the working copy as the merged document has it once for
// every record: its text in the record (its references included), and
// its copy.
struct SharedObject {
  std::string text;
  QPDFObjectHandle copy;
};
using SharedObjects = std::map<QPDFObjGen, SharedObject>;

// The objects a record holds as the working copy wrote them: those whose
// place in the record lies within the working copy's bytes, which the
// record begins with.
ObjectSet WorkingCopyObjects(QPDF& record, std::size_t workingCopySize);

// Copies one record's pages, with everything they use, into the merged
// document. An object of the working copy that the record uses unchanged,
// and whose references all lead to such objects, is shared by every record
// that uses it; everything else is the record's own. Each copy carries its
// stream data with it, so that the record need not stay.
class RecordCopier {
 public:
  RecordCopier(QPDF& out, QPDFObjectHandle opening, const SharedObjects& shared,
               SharedObjects& added, const ObjectSet& workingCopy)
      : out_(out), opening_(opening), shared_(shared), added_(added), workingCopy_(workingCopy) {}

  // Reserves the copies of the record's pages, so that a page one of them
  // refers to is its copy, never the record's page tree.
  void ReservePages(const std::vector<QPDFPageObjectHelper>& pages);
  // The copy of page `index`: its own entries but those that stay behind,
  // its resources with the appearances drawn, its contents between "q"
  // and "Q" followed by the drawing.
  QPDFObjectHandle Page(std::size_t index, QPDFPageObjectHelper page, const DrawnPage& drawn);

 private:
  using Object = QPDFObjectHandle;
  // A value of the record in the merged document: direct values copied,
  // references to the copies of their objects.
  Object Value(Object value);
  // The content of an object (direct or not) as a direct value.
  Object Content(Object object);
  Object Indirect(Object object);
  // Whether the object is one of the working copy that this record uses as
  // every record before it did: unchanged (also by the drawing of the
  // fields), all its references such objects too. An object met again on
  // its own way is the record's own: what leads back to itself is not
  // worth the care.
  bool Shareable(Object object);
  bool ReferencesShareable(Object container);

  QPDF& out_;
  Object opening_;
  const SharedObjects& shared_;
  SharedObjects& added_;
  const ObjectSet& workingCopy_;
  std::vector<Object> reserved_;
  std::map<QPDFObjGen, Object> local_;
  std::map<QPDFObjGen, bool> shareable_;
  ObjectSet visiting_;
};

}  // namespace morvind
