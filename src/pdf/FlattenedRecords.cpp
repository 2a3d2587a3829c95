#include "pdf/FlattenedRecords.h"

#include <qpdf/Constants.h>

#include <map>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAnnotationObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "pdf/QpdfDocument.h"

namespace morvind {
namespace {

using Object = QPDFObjectHandle;
using ObjectSet = std::set<QPDFObjGen>;

// What of a record's page stays behind: its place in the record's page
// tree, its annotations (drawn into the page, or never visible), its
// actions (scripts), its article beads, and its place in a structure tree
// that is not copied. Its resources and contents are written anew.
bool IsDroppedPageKey(const std::string& key) {
  return key == "/Parent" || key == "/Annots" || key == "/AA" || key == "/B" ||
         key == "/StructParents" || key == "/Resources" || key == "/Contents";
}

// The name an appearance is drawn under while its page's names are not
// known yet.
constexpr std::string_view kNamePlaceholder = "/MorvindAppearancePlaceholder";

// An object of the working copy as the merged document has it once for
// every record: its text in the record (its references included), and
// its copy.
struct SharedObject {
  std::string text;
  Object copy;
};
using SharedObjects = std::map<QPDFObjGen, SharedObject>;

// What a widget of the working copy draws into its page, as the first
// record that drew it found: the same in every later record in which the
// objects it was made from are unchanged. Most of a record's widgets are
// such (the boxes, the fields left empty); reading them anew in every
// record took most of its time.
struct DrawnWidget {
  std::string content;    // with kNamePlaceholder; empty: nothing shows
  QPDFObjGen appearance;  // the appearance stream drawn (content not empty)
  Object copy;            // its copy in the merged document
  ObjectSet madeFrom;     // the widget, its appearances, their resources
  int rotate = 0;         // of the page
};
using DrawnWidgets = std::map<QPDFObjGen, DrawnWidget>;

// The text that tells whether an object of the working copy is the same in
// two records: a stream's dictionary (its data lie in the working copy's
// bytes), every other object whole.
std::string TextOf(Object object) {
  return object.isStream() ? object.getDict().unparse() : object.unparseResolved();
}

// The objects a record holds as the working copy wrote them: those whose
// place in the record lies within the working copy's bytes, which the
// record begins with.
ObjectSet WorkingCopyObjects(QPDF& record, std::size_t workingCopySize) {
  ObjectSet objects;
  for (const auto& entry : record.getXRefTable())
    if (entry.second.getType() == 1 &&
        entry.second.getOffset() < static_cast<qpdf_offset_t>(workingCopySize))
      objects.insert(entry.first);
  return objects;
}

bool AllIn(const ObjectSet& objects, const ObjectSet& within) {
  for (const QPDFObjGen& og : objects)
    if (!within.count(og)) return false;
  return true;
}

// Every object `value` refers to, directly or through others (streams by
// their dictionaries).
void AddReferences(Object value, ObjectSet& objects) {
  if (value.isIndirect() && !objects.insert(value.getObjGen()).second) return;
  if (value.isStream()) value = value.getDict();
  if (value.isArray()) {
    for (Object item : value.aitems()) AddReferences(item, objects);
  } else if (value.isDictionary()) {
    for (const auto& item : value.ditems()) AddReferences(item.second, objects);
  }
}

// The objects the widgets' drawing reads besides their own: the catalog,
// the AcroForm and its default resources, which are merged into the
// widgets' appearances as qpdf merges them.
ObjectSet FormObjects(QPDF& pdf) {
  ObjectSet objects;
  Object root = pdf.getRoot();
  objects.insert(root.getObjGen());
  Object form = root.getKey("/AcroForm");
  if (form.isIndirect()) objects.insert(form.getObjGen());
  Object resources = form.getKey("/DR");
  if (resources.isIndirect()) objects.insert(resources.getObjGen());
  if (resources.isDictionary())
    for (const auto& item : resources.ditems())
      if (item.second.isIndirect()) objects.insert(item.second.getObjGen());
  return objects;
}

// A page's fields and other annotations, drawn: what goes after its
// contents, and the appearances it draws under their names.
struct DrawnPage {
  bool hadAnnotations = false;
  std::string content;
  std::vector<std::pair<std::string, Object>> appearances;
  std::vector<std::pair<QPDFObjGen, Object>> knownCopies;  // appearances copied before
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
  // `known`: the widgets drawn before, when the form's objects (FormObjects)
  // are unchanged in this record; null otherwise.
  PageDrawing(Object defaultResources, const ObjectSet& workingCopy, const DrawnWidgets* known,
              DrawnWidgets& found)
      : defaultResources_(defaultResources),
        workingCopy_(workingCopy),
        known_(known),
        found_(found) {}

  DrawnPage Draw(QPDF& pdf, QPDFPageObjectHelper page) {
    DrawnPage drawn;
    Object pageObject = page.getObjectHandle();
    Object annotations = pageObject.getKey("/Annots");
    if (!annotations.isArray() || annotations.getArrayNItems() == 0) return drawn;
    drawn.hadAnnotations = true;
    Object rotation = pageObject.getKey("/Rotate");
    const int rotate = rotation.isInteger() ? rotation.getIntValueAsInt() : 0;
    Object resources = pageObject.getKey("/Resources");
    names_ = resources.isDictionary() ? resources.getResourceNames() : std::set<std::string>();
    next_ = 1;
    for (Object annotation : annotations.aitems()) {
      const QPDFObjGen og = annotation.getObjGen();
      if (const DrawnWidget* widget = Known(og, rotate)) {
        if (widget->content.empty()) continue;
        Place(drawn, widget->content, pdf.getObjectByObjGen(widget->appearance));
        drawn.knownCopies.emplace_back(widget->appearance, widget->copy);
        continue;
      }
      if (!annotation.isDictionary()) continue;
      QPDFAnnotationObjectHelper helper(annotation);
      // Without an appearance (a box that is off, a hidden popup) nothing
      // shows, and nothing is drawn.
      Object appearance = helper.getAppearanceStream("/N");
      std::string content;
      if (appearance.isStream()) {
        if (helper.getSubtype() == "/Widget") {
          Object own = appearance.getDict().getKey("/Resources");
          if (own.isIndirect())
            own = appearance.getDict().replaceKeyAndGetNew("/Resources", own.shallowCopy());
          own.mergeResources(defaultResources_);
        }
        content = helper.getPageContentForAppearance(std::string(kNamePlaceholder), rotate, 0,
                                                     an_invisible | an_hidden);
      }
      if (known_ && workingCopy_.count(og)) {
        DrawnWidget widget;
        widget.content = content;
        if (!content.empty()) widget.appearance = appearance.getObjGen();
        widget.madeFrom.insert(og);
        AddReferences(annotation.getKey("/AP"), widget.madeFrom);
        widget.rotate = rotate;
        found_[og] = std::move(widget);
      }
      if (!content.empty()) Place(drawn, content, appearance);
    }
    return drawn;
  }

 private:
  const DrawnWidget* Known(QPDFObjGen og, int rotate) const {
    if (!known_ || !workingCopy_.count(og)) return nullptr;
    const auto found = known_->find(og);
    if (found == known_->end() || found->second.rotate != rotate ||
        !AllIn(found->second.madeFrom, workingCopy_))
      return nullptr;
    return &found->second;
  }

  void Place(DrawnPage& drawn, std::string content, Object appearance) {
    std::string name = "/Fxo" + std::to_string(next_);
    while (names_.count(name)) name = "/Fxo" + std::to_string(++next_);
    names_.insert(name);
    ++next_;
    const std::size_t at = content.find(kNamePlaceholder);
    if (at != std::string::npos) content.replace(at, kNamePlaceholder.size(), name);
    drawn.content += content;
    drawn.appearances.emplace_back(name, appearance);
  }

  Object defaultResources_;
  const ObjectSet& workingCopy_;
  const DrawnWidgets* known_;
  DrawnWidgets& found_;
  std::set<std::string> names_;
  int next_ = 1;
};

// Copies one record's pages, with everything they use, into the merged
// document. An object of the working copy that the record uses unchanged,
// and whose references all lead to such objects, is shared by every record
// that uses it; everything else is the record's own. Each copy carries its
// stream data with it, so that the record need not stay.
class RecordCopier {
 public:
  RecordCopier(QPDF& out, Object opening, const SharedObjects& shared, SharedObjects& added,
               const ObjectSet& workingCopy)
      : out_(out), opening_(opening), shared_(shared), added_(added), workingCopy_(workingCopy) {}

  // Reserves the copies of the record's pages, so that a page one of them
  // refers to is its copy, never the record's page tree.
  void ReservePages(const std::vector<QPDFPageObjectHelper>& pages) {
    for (const QPDFPageObjectHelper& page : pages) {
      QPDFPageObjectHelper helper = page;
      reserved_.push_back(Object::newReserved(&out_));
      local_[helper.getObjectHandle().getObjGen()] = reserved_.back();
    }
  }

  // The copy of page `index`: its own entries but those that stay behind,
  // its resources with the appearances drawn, its contents between "q"
  // and "Q" followed by the drawing.
  Object Page(std::size_t index, QPDFPageObjectHelper page, const DrawnPage& drawn) {
    for (const auto& known : drawn.knownCopies) local_[known.first] = known.second;
    Object pageObject = page.getObjectHandle();
    Object copy = Object::newDictionary();
    for (const auto& item : pageObject.ditems())
      if (!IsDroppedPageKey(item.first)) copy.replaceKey(item.first, Value(item.second));

    Object resources = pageObject.getKey("/Resources");
    if (drawn.appearances.empty()) {
      if (!resources.isNull()) copy.replaceKey("/Resources", Value(resources));
    } else {
      Object resourcesCopy =
          resources.isDictionary() ? Content(resources) : Object::newDictionary();
      Object xobjects = resources.isDictionary() ? resources.getKey("/XObject") : Object::newNull();
      Object xobjectsCopy = xobjects.isDictionary() ? Content(xobjects) : Object::newDictionary();
      for (const auto& appearance : drawn.appearances)
        xobjectsCopy.replaceKey(appearance.first, Value(appearance.second));
      resourcesCopy.replaceKey("/XObject", xobjectsCopy);
      copy.replaceKey("/Resources", resourcesCopy);
    }

    Object contents = pageObject.getKey("/Contents");
    if (!drawn.hadAnnotations) {
      if (!contents.isNull()) copy.replaceKey("/Contents", Value(contents));
    } else {
      Object parts = Object::newArray();
      parts.appendItem(opening_);
      if (contents.isArray()) {
        for (Object part : contents.aitems()) parts.appendItem(Value(part));
      } else if (contents.isStream()) {
        parts.appendItem(Value(contents));
      }
      parts.appendItem(out_.newStream("\nQ\n" + drawn.content));
      copy.replaceKey("/Contents", parts);
    }
    out_.replaceReserved(reserved_[index], copy);
    return reserved_[index];
  }

 private:
  // A value of the record in the merged document: direct values copied,
  // references to the copies of their objects.
  Object Value(Object value) {
    if (value.isIndirect()) return Indirect(value);
    return Content(value);
  }

  // The content of an object (direct or not) as a direct value.
  Object Content(Object object) {
    if (object.isArray()) {
      Object copy = Object::newArray();
      for (Object item : object.aitems()) copy.appendItem(Value(item));
      return copy;
    }
    if (object.isDictionary()) {
      Object copy = Object::newDictionary();
      for (const auto& item : object.ditems()) copy.replaceKey(item.first, Value(item.second));
      return copy;
    }
    return object.shallowCopy();
  }

  Object Indirect(Object object) {
    const QPDFObjGen og = object.getObjGen();
    const auto known = local_.find(og);
    if (known != local_.end()) return known->second;
    const bool shareable = Shareable(object);
    if (shareable) {
      for (const SharedObjects* objects : {&shared_, static_cast<const SharedObjects*>(&added_)}) {
        const auto found = objects->find(og);
        if (found != objects->end()) return local_[og] = found->second.copy;
      }
    }
    // Reserved before its content is copied: the content may lead back to it.
    Object copy = object.isStream() ? out_.newStream() : Object::newReserved(&out_);
    local_[og] = copy;
    if (object.isStream()) {
      Object dictionary = object.getDict();
      Object copied = copy.getDict();
      for (const auto& item : dictionary.ditems())
        if (item.first != "/Length") copied.replaceKey(item.first, Value(item.second));
      // The data as they are stored, filters and all: nothing is decoded.
      copy.replaceStreamData(object.getRawStreamData(), Value(dictionary.getKey("/Filter")),
                             Value(dictionary.getKey("/DecodeParms")));
    } else {
      out_.replaceReserved(copy, Content(object));
    }
    if (shareable) added_[og] = SharedObject{TextOf(object), copy};
    return copy;
  }

  // Whether the object is one of the working copy that this record uses as
  // every record before it did: unchanged (also by the drawing of the
  // fields), all its references such objects too. An object met again on
  // its own way is the record's own: what leads back to itself is not
  // worth the care.
  bool Shareable(Object object) {
    const QPDFObjGen og = object.getObjGen();
    if (!workingCopy_.count(og)) return false;
    const auto known = shareable_.find(og);
    if (known != shareable_.end()) return known->second;
    if (!visiting_.insert(og).second) return false;
    bool shareable = ReferencesShareable(object.isStream() ? object.getDict() : object);
    visiting_.erase(og);
    if (shareable) {
      const std::string text = TextOf(object);
      for (const SharedObjects* objects : {&shared_, static_cast<const SharedObjects*>(&added_)}) {
        const auto found = objects->find(og);
        if (found != objects->end() && found->second.text != text) shareable = false;
      }
    }
    return shareable_[og] = shareable;
  }

  bool ReferencesShareable(Object container) {
    std::vector<Object> items;
    if (container.isArray()) {
      for (Object item : container.aitems()) items.push_back(item);
    } else if (container.isDictionary()) {
      for (const auto& item : container.ditems()) items.push_back(item.second);
    }
    for (Object item : items) {
      if (item.isIndirect() ? !Shareable(item) : !ReferencesShareable(item)) return false;
    }
    return true;
  }

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

}  // namespace

struct FlattenedRecords::State {
  std::string workingCopy;
  QPDF out;
  Object opening;  // the "q" before every page's contents, one stream for all
  SharedObjects shared;
  DrawnWidgets widgets;
  int pages = 0;
};

FlattenedRecords::FlattenedRecords(std::string_view workingCopy)
    : state_(std::make_unique<State>()) {
  state_->workingCopy = std::string(workingCopy);
  state_->out.setSuppressWarnings(true);
  state_->out.emptyPDF();
  state_->opening = state_->out.newStream("q\n");
}

FlattenedRecords::~FlattenedRecords() = default;

int FlattenedRecords::PageCount() const {
  return state_->pages;
}

bool FlattenedRecords::Add(std::string_view record) {
  State& state = *state_;
  SharedObjects added;
  DrawnWidgets found;
  std::vector<Object> pages;
  const bool copied = CatchingQpdf([&] {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("record", record.data(), record.size());
    Object form = pdf.getRoot().getKey("/AcroForm");
    // As QPDFAcroFormDocumentHelper reads it: qpdf flattens no field that
    // waits for its appearance.
    Object needAppearances = form.getKey("/NeedAppearances");
    if (needAppearances.isBool() && needAppearances.getBoolValue())
      throw std::runtime_error("fields without appearances");
    const std::string_view base = state.workingCopy;
    const bool fromWorkingCopy =
        !base.empty() && record.size() > base.size() && record.substr(0, base.size()) == base;
    const ObjectSet workingCopy =
        fromWorkingCopy ? WorkingCopyObjects(pdf, base.size()) : ObjectSet();
    const bool formUnchanged = fromWorkingCopy && AllIn(FormObjects(pdf), workingCopy);

    QPDFPageDocumentHelper helper(pdf);
    helper.pushInheritedAttributesToPage();
    const std::vector<QPDFPageObjectHelper> recordPages = helper.getAllPages();
    PageDrawing drawing(form.getKey("/DR"), workingCopy, formUnchanged ? &state.widgets : nullptr,
                        found);
    std::vector<DrawnPage> drawn;
    for (const QPDFPageObjectHelper& page : recordPages) drawn.push_back(drawing.Draw(pdf, page));
    RecordCopier copier(state.out, state.opening, state.shared, added, workingCopy);
    copier.ReservePages(recordPages);
    for (std::size_t i = 0; i < recordPages.size(); ++i)
      pages.push_back(copier.Page(i, recordPages[i], drawn[i]));
  });
  if (!copied) return false;
  // What a record left half copied is referred to by nothing, and is not
  // written.
  state.shared.insert(added.begin(), added.end());
  // A widget is remembered with the copy of its appearance, when that copy
  // is shared: one of this record's own can't stand in another record.
  for (auto& widget : found) {
    if (!widget.second.content.empty()) {
      const auto copy = state.shared.find(widget.second.appearance);
      if (copy == state.shared.end()) continue;
      widget.second.copy = copy->second.copy;
    }
    state.widgets[widget.first] = std::move(widget.second);
  }
  QPDFPageDocumentHelper merged(state.out);
  return CatchingQpdf([&] {
    for (Object page : pages) {
      merged.addPage(QPDFPageObjectHelper(page), false);
      ++state.pages;
    }
  });
}

std::optional<std::string> FlattenedRecords::Finish(std::string_view title) {
  std::string bytes;
  const bool written = CatchingQpdf([&] {
    QPDF& out = state_->out;
    Object info = out.makeIndirectObject(Object::newDictionary());
    info.replaceKey("/Title", Object::newUnicodeString(std::string(title)));
    out.getTrailer().replaceKey("/Info", info);
    QPDFWriter writer(out);
    writer.setOutputMemory();
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.setCompressStreams(true);
    // The streams go through as the records hold them; those without a
    // filter (the drawing's own) are compressed.
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setLinearization(false);
    writer.setDeterministicID(true);
    writer.write();
    std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    bytes.assign(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
  });
  if (!written) return std::nullopt;
  return bytes;
}

}  // namespace morvind
