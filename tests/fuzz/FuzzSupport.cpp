#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <system_error>

#include "data/CodePage.h"
#include "data/PublisherTableLoader.h"
#include "support/DataWriter.h"
#include "support/TempFolder.h"

namespace morvind::fuzz {
namespace {

std::vector<std::string>& Failures() {
  static std::vector<std::string> failures;
  return failures;
}

}  // namespace

void Fail(std::string_view target, std::string_view what) {
  std::string message = std::string(target) + ": " + std::string(what);
#ifdef MORVIND_FUZZING
  // libFuzzer keeps the input of an abort as a crash and prints its path.
  std::fprintf(stderr, "property broken: %s\n", message.c_str());
  std::abort();
#else
  Failures().push_back(std::move(message));
#endif
}

bool Check(bool condition, std::string_view target, std::string_view what) {
  if (!condition) Fail(target, what);
  return condition;
}

std::vector<std::string> TakeFailures() {
  std::vector<std::string> taken;
  taken.swap(Failures());
  return taken;
}

SplitInput Split(const std::uint8_t* data, std::size_t size, std::size_t optionCount,
                 std::size_t partCount) {
  SplitInput input;
  std::size_t at = 0;
  for (std::size_t i = 0; i < optionCount && at < size; ++i) input.options.push_back(data[at++]);
  for (std::size_t p = 0; p + 1 < partCount; ++p) {
    std::uint32_t length = 0;
    for (int b = 0; b < 4 && at < size; ++b, ++at)
      length |= static_cast<std::uint32_t>(data[at]) << (8 * b);
    const std::size_t take = std::min<std::size_t>(length, size - at);
    input.parts.emplace_back(data + at, data + at + take);
    at += take;
  }
  if (partCount > 0) input.parts.emplace_back(data + at, data + size);
  return input;
}

Bytes Join(const Bytes& options, const std::vector<Bytes>& parts) {
  Bytes out = options;
  for (std::size_t p = 0; p < parts.size(); ++p) {
    if (p + 1 < parts.size()) {
      const auto length = static_cast<std::uint32_t>(parts[p].size());
      for (int b = 0; b < 4; ++b) out.push_back(static_cast<std::uint8_t>(length >> (8 * b)));
    }
    out.insert(out.end(), parts[p].begin(), parts[p].end());
  }
  return out;
}

std::string_view LanguageFor(std::uint8_t option) {
  return kLanguages[option % kLanguageCount];
}

const StringTable& StringsFor(std::string_view language) {
  // Built once per language: the table is read by every input.
  static const std::vector<StringTable> tables = [] {
    std::vector<StringTable> all;
    for (std::string_view code : kLanguages) {
      all.push_back(StringTable::German());
      all.back().Set(StringTable::kLanguageCode, std::string(code));
    }
    return all;
  }();
  for (std::size_t i = 0; i < kLanguageCount; ++i)
    if (kLanguages[i] == language) return tables[i];
  return tables[0];
}

const DataFolder& ScratchFolder() {
  // Made once: a folder per input would cost more than most inputs take.
  static const auto folder = std::make_unique<test::TempFolder>("fuzz");
  static const DataFolder data = [] {
    if (!folder->IsValid()) {
      std::fprintf(stderr, "no temporary folder for the fuzz inputs\n");
      std::abort();
    }
    return folder->Folder();
  }();
  return data;
}

void PutFile(std::string_view name, const Bytes& bytes, bool present) {
  const std::filesystem::path path = ScratchFolder().PathOf(name);
  if (!present) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return;
  }
  if (!test::WriteFileBytes(path, bytes)) {
    std::fprintf(stderr, "can't write %s\n", path.c_str());
    std::abort();
  }
}

CongregationData* LoadOneFile(const SplitInput& input, std::string_view file, bool withTable,
                              std::string_view language,
                              const std::function<void(CongregationData&)>& loadAlone) {
  for (std::string_view other : {kGroupFile, kExtendedInfoFile, kRemarksFile})
    if (other != file) PutFile(other, {}, false);
  PutFile(kPublisherTableFile, input.parts[0], withTable);
  PutFile(file, input.parts[1]);

  static CongregationData congregation;
  if (!congregation.table.IsAllocated() && !congregation.table.Allocate()) return nullptr;
  congregation.table.SetCodePage(CodePageForLanguage(language));
  if (withTable) {
    bool passwordFailed = false;
    LoadCongregationData(congregation, ScratchFolder(), {}, passwordFailed);
  } else {
    loadAlone(congregation);
  }
  return &congregation;
}

void ClearScratchFolder() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(ScratchFolder().Dir(), error))
    std::filesystem::remove_all(entry.path(), error);
}

std::vector<char32_t> CodePoints(std::string_view utf8) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    int extra;
    char32_t c;
    char32_t lowest;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, c = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2, c = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3, c = lead & 0x07, lowest = 0x10000;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

bool IsPlainLetter(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z')) return true;
  if (c >= 0xC0 && c <= 0xFF) return c != 0xD7 && c != 0xF7;  // À..ÿ without × and ÷
  if (c >= 0x391 && c <= 0x3A9) return c != 0x3A2;            // Α..Ω
  if (c >= 0x3B1 && c <= 0x3C9) return true;                  // α..ω
  return c >= 0x410 && c <= 0x44F;                            // А..я
}

void CheckDrawing(const RecordingSurface& surface, int low, int high, std::string_view target,
                  std::string_view what) {
  const std::string where(what);
  auto inRange = [&](int v) { return v >= low && v <= high; };
  for (const RecordedOp& op : surface.Ops()) {
    switch (op.kind) {
      case RecordedOp::Kind::kText:
        FUZZ_CHECK(IsValidUtf8(op.text), target, where + ": a drawn text is not valid UTF-8");
        FUZZ_CHECK(inRange(op.x) && inRange(op.y), target,
                   where + ": text drawn at " + std::to_string(op.x) + "," + std::to_string(op.y));
        break;
      case RecordedOp::Kind::kLine:
      case RecordedOp::Kind::kRectangle:
        FUZZ_CHECK(inRange(op.x) && inRange(op.y) && inRange(op.x2) && inRange(op.y2), target,
                   where + ": line or rectangle from " + std::to_string(op.x) + "," +
                       std::to_string(op.y) + " to " + std::to_string(op.x2) + "," +
                       std::to_string(op.y2));
        break;
      default:
        break;
    }
  }
  FUZZ_CHECK(surface.LiveObjectCount() == 0, target, where + ": a font or pen is left undeleted");
  FUZZ_CHECK(surface.StartingObjectsSelected(), target,
             where + ": the starting font or pen is not back");
  FUZZ_CHECK(surface.NoSelectedObjectDeleted(), target, where + ": a selected object was deleted");
}

}  // namespace morvind::fuzz
