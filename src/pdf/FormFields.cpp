#include "pdf/FormFields.h"

#include <cctype>
#include <map>
#include <string>

namespace morvind {
namespace {

// The field flags (/Ff) that make a field of another kind.
constexpr long long kRadio = 1 << 15;
constexpr long long kPushButton = 1 << 16;
constexpr long long kFileSelect = 1 << 20;

// What a node of the field tree inherits from the nodes above it.
struct Inherited {
  std::string name;
  QPDFObjectHandle field;
  std::string type;  // /FT
  long long flags = 0;
};

bool IsOlderEditionName(const std::string& name) {
  if (name == "900_1_Text") return true;
  // 901_<n>_S21_Value: the 11/23 edition's 901 fields are boxes.
  const std::string prefix = "901_", suffix = "_S21_Value";
  if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  for (std::size_t i = prefix.size(); i < name.size() - suffix.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

class FieldWalk {
 public:
  explicit FieldWalk(const QpdfDocument& document) : document_(document) {
    const auto& table = OfficialFormFieldTable();
    for (std::size_t i = 0; i < table.size(); ++i) index_[table[i].name] = i;
  }

  FormFieldsFound Run() {
    QPDFObjectHandle form = document_.pdf->getRoot().getKey("/AcroForm");
    QPDFObjectHandle fields = form.isDictionary() ? form.getKey("/Fields") : QPDFObjectHandle();
    if (fields.isArray()) {
      const int count = fields.getArrayNItems();
      for (int i = 0; i < count; ++i) Walk(fields.getArrayItem(i), Inherited{}, 1);
    }
    return std::move(found_);
  }

 private:
  void Walk(QPDFObjectHandle node, Inherited inherited, int depth) {
    // The gate let no deeper tree through; the walk keeps to it anyway.
    if (!node.isDictionary() || depth > kMaxFieldDepth) return;
    QPDFObjectHandle name = node.getKey("/T");
    if (name.isString()) {
      inherited.name = name.getUTF8Value();
      // The last part of a qualified name, also of a name that holds one.
      const std::size_t dot = inherited.name.rfind('.');
      if (dot != std::string::npos) inherited.name.erase(0, dot + 1);
      inherited.field = node;
    }
    QPDFObjectHandle type = node.getKey("/FT");
    if (type.isName()) inherited.type = type.getName();
    QPDFObjectHandle flags = node.getKey("/Ff");
    if (flags.isInteger()) inherited.flags = flags.getIntValue();
    QPDFObjectHandle kids = node.getKey("/Kids");
    if (kids.isArray()) {
      const int count = kids.getArrayNItems();
      for (int i = 0; i < count; ++i) Walk(kids.getArrayItem(i), inherited, depth + 1);
      return;
    }
    // A widget: it counts only where a page shows it.
    if (!node.isIndirect() || !document_.pageWidgets.count(node.getObjGen())) return;
    if (IsOlderEditionName(inherited.name)) found_.olderEdition = true;
    const auto entry = index_.find(inherited.name);
    if (entry == index_.end()) return;
    const bool text = inherited.type == "/Tx" && !(inherited.flags & kFileSelect);
    const bool box = inherited.type == "/Btn" && !(inherited.flags & (kRadio | kPushButton));
    const bool wantsText = OfficialFormFieldTable()[entry->second].kind == FormFieldKind::kText;
    found_.occurrences[entry->second].push_back({inherited.field, node, wantsText ? text : box});
  }

  const QpdfDocument& document_;
  std::map<std::string, std::size_t> index_;
  FormFieldsFound found_;
};

}  // namespace

FormFieldsFound FindTableFields(const QpdfDocument& document) {
  return FieldWalk(document).Run();
}

FormFileCheck CheckTableFields(const FormFieldsFound& found) {
  const auto& table = OfficialFormFieldTable();
  bool missing = false;
  for (std::size_t i = 0; i < table.size(); ++i)
    missing = missing || (table[i].required && found.occurrences[i].empty());
  if (missing && found.olderEdition) return {FormFileProblem::kOlderEdition, {}};
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].required && found.occurrences[i].empty())
      return {FormFileProblem::kMissingField, table[i].name};
    for (const TableFieldOccurrence& occurrence : found.occurrences[i])
      if (!occurrence.rightKind) return {FormFileProblem::kWrongKind, table[i].name, table[i].kind};
  }
  return {};
}

}  // namespace morvind
