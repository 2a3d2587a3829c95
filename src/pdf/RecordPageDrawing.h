#pragma once

#include <map>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace morvind {

// The drawing of a filled record's fields into its pages, for a PDF of
// records (FlattenedRecords).

using ObjectSet = std::set<QPDFObjGen>;

// What a widget of the working copy draws into its page, as the first
// record that drew it found: the same in every later record in which the
// objects it was made from are unchanged. Most of a record's widgets are
// such (the boxes, the fields left empty); reading them anew in every
// record took most of its time.
struct DrawnWidget {
  std::string content;    // with kNamePlaceholder; empty: nothing shows
  QPDFObjGen appearance;  // the appearance stream drawn (content not empty)
  QPDFObjectHandle copy;  // its copy in the merged document
  ObjectSet madeFrom;     // the widget, its appearances, their resources
  int rotate = 0;         // of the page
};
using DrawnWidgets = std::map<QPDFObjGen, DrawnWidget>;

// Whether every object of `objects` is one of `within`.
bool AllIn(const ObjectSet& objects, const ObjectSet& within);

// The objects the widgets' drawing reads besides their own: the catalog,
// the AcroForm and its default resources, which are merged into the
// widgets' appearances as qpdf merges them.
ObjectSet FormObjects(QPDF& pdf);

// A page's fields and other annotations, drawn: what goes after its
// contents, and the appearances it draws under their names.
struct DrawnPage {
  bool hadAnnotations = false;
  std::string content;
  std::vector<std::pair<std::string, QPDFObjectHandle>> appearances;
  std::vector<std::pair<QPDFObjGen, QPDFObjectHandle>> knownCopies;  // appearances copied before
};

// Draws a record's annotations as QPDFPageDocumentHelper::flattenAnnotations
// does (the same flags, resources, matrices and names: "q", the page's
// contents, "Q" and each annotation's appearance as a form XObject where
// its rectangle is), but leaves the record's page as it is: the merged
// document's page is made from what it returns. Without the analysis of
// every field that flattenAnnotations makes first, which only finds the
// default resources, and qpdf takes those from the AcroForm for every
// field.
class PageDrawing {
 public:
  PageDrawing(QPDFObjectHandle defaultResources, const ObjectSet& workingCopy,
              const DrawnWidgets* known, DrawnWidgets& found)
      : defaultResources_(defaultResources),
        workingCopy_(workingCopy),
        known_(known),
        found_(found) {}

  // The page's annotations drawn: what a copy of the page gets.
  DrawnPage Draw(QPDF& pdf, QPDFPageObjectHelper page);

 private:
  using Object = QPDFObjectHandle;
  const DrawnWidget* Known(QPDFObjGen og, int rotate) const;
  void Place(DrawnPage& drawn, std::string content, Object appearance);

  Object defaultResources_;
  const ObjectSet& workingCopy_;
  const DrawnWidgets* known_;
  DrawnWidgets& found_;
  std::set<std::string> names_;
  int next_ = 1;
};

}  // namespace morvind
