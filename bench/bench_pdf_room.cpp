// Cost of the PDF room on the test form: the gate, the form's check with
// and without its working copy, and for each file of a folder of records
// (909 in the full congregation) the seal and the reading of its info.

#include <benchmark/benchmark.h>

#include "pdf/OfficialFormFile.h"
#include "pdf/PdfGate.h"
#include "pdf/RecordSeal.h"
#include "support/FillableFormWriter.h"

namespace {

using namespace morvind;

// A record as Poppler saves it: the working copy and, appended, its
// information dictionary with the entries as UTF-16 in hexadecimal.
std::string UnsealedRecord() {
  std::string record = PrepareOfficialFormBytes(test::FillableFormPdf(), {}).workingCopy;
  auto hex = [](std::string_view ascii) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "<feff";
    for (unsigned char c : ascii) out += std::string("00") + kDigits[c >> 4] + kDigits[c & 15];
    return out + ">";
  };
  const std::size_t previous = std::stoul(record.substr(record.rfind("startxref") + 9));
  const std::string offset = std::to_string(record.size());
  record += "900 0 obj\r\n<</MorvindRecord " + hex("publisher:17") + " /MorvindFileDigest " +
            hex(FileDigestPlaceholder()) + " >> \r\nendobj\r\n";
  const std::string xref = std::to_string(record.size());
  record += "xref\r\n900 1\r\n" + std::string(10 - offset.size(), '0') + offset +
            " 00000 n\r\ntrailer\r\n<</Size 901 /Root 1 0 R /Prev " + std::to_string(previous) +
            " /Info 900 0 R >> \r\nstartxref\r\n" + xref + "\r\n%%EOF\r\n";
  return record;
}

void BM_CheckPdfBytes(benchmark::State& state) {
  const std::string form = test::FillableFormPdf();
  for (auto _ : state) benchmark::DoNotOptimize(CheckPdfBytes(form));
}

void BM_PrepareOfficialForm(benchmark::State& state) {
  const std::string form = test::FillableFormPdf();
  const WorkingCopyOptions options{U"abcdefghijklmnopqrstuvwxyzäöüß", {}};
  for (auto _ : state)
    benchmark::DoNotOptimize(PrepareOfficialFormBytes(form, options, state.range(0) != 0));
}

void BM_SealRecordFile(benchmark::State& state) {
  const std::string record = UnsealedRecord();
  for (auto _ : state) {
    std::string bytes = record;
    benchmark::DoNotOptimize(SealRecordFile(bytes));
  }
}

void BM_ReadRecordInfo(benchmark::State& state) {
  std::string record = UnsealedRecord();
  if (!SealRecordFile(record) || !ReadRecordInfo(record).sealIntact)
    state.SkipWithError("the record is not sealed");
  for (auto _ : state) benchmark::DoNotOptimize(ReadRecordInfo(record));
}

}  // namespace

BENCHMARK(BM_CheckPdfBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrepareOfficialForm)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SealRecordFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadRecordInfo)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
