#include "pdf/RecordCopier.h"

#include <utility>

namespace morvind {
namespace {

using Object = QPDFObjectHandle;

// What of a record's page stays behind: its place in the record's page
// tree, its annotations (drawn into the page, or never visible), its
// actions (scripts), its article beads, and its place in a structure tree
// that is not copied. Its resources and contents are written anew.
bool IsDroppedPageKey(const std::string& key) {
  return key == "/Parent" || key == "/Annots" || key == "/AA" || key == "/B" ||
         key == "/StructParents" || key == "/Resources" || key == "/Contents";
}

// The text that tells whether an object of the working copy is the same in
// two records: a stream's dictionary (its data lie in the working copy's
// bytes), every other object whole.
std::string TextOf(Object object) {
  return object.isStream() ? object.getDict().unparse() : object.unparseResolved();
}

}  // namespace

ObjectSet WorkingCopyObjects(QPDF& record, std::size_t workingCopySize) {
  ObjectSet objects;
  for (const auto& entry : record.getXRefTable())
    if (entry.second.getType() == 1 &&
        entry.second.getOffset() < static_cast<qpdf_offset_t>(workingCopySize))
      objects.insert(entry.first);
  return objects;
}

void RecordCopier::ReservePages(const std::vector<QPDFPageObjectHelper>& pages) {
  for (const QPDFPageObjectHelper& page : pages) {
    QPDFPageObjectHelper helper = page;
    reserved_.push_back(Object::newReserved(&out_));
    local_[helper.getObjectHandle().getObjGen()] = reserved_.back();
  }
}

Object RecordCopier::Page(std::size_t index, QPDFPageObjectHelper page, const DrawnPage& drawn) {
  for (const auto& known : drawn.knownCopies) local_[known.first] = known.second;
  Object pageObject = page.getObjectHandle();
  Object copy = Object::newDictionary();
  for (const auto& item : pageObject.ditems())
    if (!IsDroppedPageKey(item.first)) copy.replaceKey(item.first, Value(item.second));

  Object resources = pageObject.getKey("/Resources");
  if (drawn.appearances.empty()) {
    if (!resources.isNull()) copy.replaceKey("/Resources", Value(resources));
  } else {
    Object resourcesCopy = resources.isDictionary() ? Content(resources) : Object::newDictionary();
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

Object RecordCopier::Value(Object value) {
  if (value.isIndirect()) return Indirect(value);
  return Content(value);
}

Object RecordCopier::Content(Object object) {
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

Object RecordCopier::Indirect(Object object) {
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

bool RecordCopier::Shareable(Object object) {
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

bool RecordCopier::ReferencesShareable(Object container) {
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

}  // namespace morvind
