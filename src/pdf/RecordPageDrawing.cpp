#include "pdf/RecordPageDrawing.h"

#include <qpdf/Constants.h>

#include <qpdf/QPDFAnnotationObjectHelper.hh>
#include <string_view>

namespace morvind {
namespace {

using Object = QPDFObjectHandle;

// The name an appearance is drawn under while its page's names are not
// known yet.
constexpr std::string_view kNamePlaceholder = "/MorvindAppearancePlaceholder";

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

}  // namespace

bool AllIn(const ObjectSet& objects, const ObjectSet& within) {
  for (const QPDFObjGen& og : objects)
    if (!within.count(og)) return false;
  return true;
}

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

DrawnPage PageDrawing::Draw(QPDF& pdf, QPDFPageObjectHelper page) {
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

const DrawnWidget* PageDrawing::Known(QPDFObjGen og, int rotate) const {
  if (!known_ || !workingCopy_.count(og)) return nullptr;
  const auto found = known_->find(og);
  if (found == known_->end() || found->second.rotate != rotate ||
      !AllIn(found->second.madeFrom, workingCopy_))
    return nullptr;
  return &found->second;
}

void PageDrawing::Place(DrawnPage& drawn, std::string content, Object appearance) {
  std::string name = "/Fxo" + std::to_string(next_);
  while (names_.count(name)) name = "/Fxo" + std::to_string(++next_);
  names_.insert(name);
  ++next_;
  const std::size_t at = content.find(kNamePlaceholder);
  if (at != std::string::npos) content.replace(at, kNamePlaceholder.size(), name);
  drawn.content += content;
  drawn.appearances.emplace_back(name, appearance);
}

}  // namespace morvind
