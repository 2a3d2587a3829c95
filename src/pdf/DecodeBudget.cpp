#include "pdf/DecodeBudget.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <qpdf/Pipeline.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_RunLength.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFStreamFilter.hh>
#include <stdexcept>
#include <vector>

namespace morvind {
namespace {

// The bytes left to the streams decoded in this thread's outermost scope.
thread_local std::size_t* tLeft = nullptr;

// Passes decoded bytes on while the budget lasts; past it, throws, which
// qpdf reports as a stream it could not decode.
class BudgetedOutput final : public Pipeline {
 public:
  explicit BudgetedOutput(Pipeline* next) : Pipeline("decoding budget", next) {}
  void write(unsigned char const* data, size_t length) override {
    std::size_t& left = tLeft ? *tLeft : own_;
    if (length > left) {
      left = 0;
      throw std::runtime_error("stream decodes to more than Morvind reads");
    }
    left -= length;
    getNext()->write(data, length);
  }
  void finish() override { getNext()->finish(); }

 private:
  std::size_t own_ = kMaxDecodedBytes;
};

// Undoes the PNG predictors (10 … 15: each row carries its own) that
// cross-reference and object streams use.
class PngRows final : public Pipeline {
 public:
  PngRows(Pipeline* next, std::size_t rowBytes, std::size_t pixelBytes)
      : Pipeline("png rows", next),
        pixelBytes_(pixelBytes),
        row_(rowBytes + 1, 0),
        previous_(rowBytes + 1, 0) {}
  void write(unsigned char const* data, size_t length) override {
    while (length > 0) {
      const std::size_t take = std::min(length, row_.size() - filled_);
      std::copy(data, data + take, row_.begin() + static_cast<std::ptrdiff_t>(filled_));
      filled_ += take;
      data += take;
      length -= take;
      if (filled_ == row_.size()) Row();
    }
  }
  void finish() override {
    // A last row cut short is completed with zeros, as qpdf does.
    if (filled_ > 0) {
      std::fill(row_.begin() + static_cast<std::ptrdiff_t>(filled_), row_.end(), 0);
      Row();
    }
    getNext()->finish();
  }

 private:
  void Row() {
    unsigned char* row = row_.data() + 1;
    const unsigned char* above = previous_.data() + 1;
    const std::size_t count = row_.size() - 1;
    for (std::size_t i = 0; i < count; ++i) {
      const int left = i >= pixelBytes_ ? row[i - pixelBytes_] : 0;
      const int up = above[i];
      const int upLeft = i >= pixelBytes_ ? above[i - pixelBytes_] : 0;
      int add = 0;
      switch (row_[0]) {
        case 1:
          add = left;
          break;
        case 2:
          add = up;
          break;
        case 3:
          add = (left + up) / 2;
          break;
        case 4: {
          const int p = left + up - upLeft;
          const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
          add = pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
          break;
        }
        default:  // 0, and unknown types as qpdf reads them
          break;
      }
      row[i] = static_cast<unsigned char>(row[i] + add);
    }
    getNext()->write(row, count);
    previous_.swap(row_);
    filled_ = 0;
  }

  std::size_t pixelBytes_;
  std::vector<unsigned char> row_, previous_;
  std::size_t filled_ = 0;
};

// A filter's decoding pipelines, kept as long as the filter, as qpdf
// expects.
class BudgetedFilter : public QPDFStreamFilter {
 protected:
  template <typename P, typename... Args>
  Pipeline* Keep(Args&&... args) {
    pipelines_.push_back(std::make_unique<P>(std::forward<Args>(args)...));
    return pipelines_.back().get();
  }

 private:
  std::vector<std::unique_ptr<Pipeline>> pipelines_;
};

class FlateFilter final : public BudgetedFilter {
 public:
  static constexpr long long kMaxRowBytes = 1 << 20;

  // The parameters qpdf's own decoder takes, less the TIFF predictor
  // (2), which no cross-reference or object stream uses.
  bool setDecodeParms(QPDFObjectHandle parameters) override {
    if (parameters.isNull()) return true;
    if (!parameters.isDictionary()) return false;
    auto integer = [&](const char* key, long long fallback, long long low, long long high,
                       long long& value) {
      QPDFObjectHandle entry = parameters.getKey(key);
      if (entry.isNull()) {
        value = fallback;
        return true;
      }
      if (!entry.isInteger()) return false;
      value = entry.getIntValue();
      return value >= low && value <= high;
    };
    long long colors = 1, bits = 8;
    if (!integer("/Predictor", 1, 1, 15, predictor_) || (predictor_ > 1 && predictor_ < 10) ||
        !integer("/Columns", 0, 0, 1 << 24, columns_) || !integer("/Colors", 1, 1, 32, colors) ||
        !integer("/BitsPerComponent", 8, 1, 16, bits))
      return false;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16) return false;
    pixelBits_ = colors * bits;
    // A row is held whole: one of a megabyte is more than any image has.
    return predictor_ == 1 || (columns_ > 0 && (columns_ * pixelBits_ + 7) / 8 <= kMaxRowBytes);
  }
  Pipeline* getDecodePipeline(Pipeline* next) override {
    if (predictor_ >= 10) {
      const auto rowBytes = static_cast<std::size_t>((columns_ * pixelBits_ + 7) / 8);
      next = Keep<PngRows>(next, rowBytes, static_cast<std::size_t>((pixelBits_ + 7) / 8));
    }
    next = Keep<BudgetedOutput>(next);
    return Keep<Pl_Flate>("inflate", next, Pl_Flate::a_inflate);
  }

 private:
  long long predictor_ = 1, columns_ = 0, pixelBits_ = 8;
};

class RunLengthFilter final : public BudgetedFilter {
 public:
  Pipeline* getDecodePipeline(Pipeline* next) override {
    return Keep<Pl_RunLength>("run length", Keep<BudgetedOutput>(next), Pl_RunLength::a_decode);
  }
  bool isSpecializedCompression() override { return true; }
};

class NotDecoded final : public QPDFStreamFilter {
 public:
  bool setDecodeParms(QPDFObjectHandle) override { return false; }
  Pipeline* getDecodePipeline(Pipeline*) override { return nullptr; }
};

void InstallDecoders() {
  static const bool kInstalled = [] {
    QPDF::registerStreamFilter("/FlateDecode", [] { return std::make_shared<FlateFilter>(); });
    QPDF::registerStreamFilter("/RunLengthDecode",
                               [] { return std::make_shared<RunLengthFilter>(); });
    QPDF::registerStreamFilter("/LZWDecode", [] { return std::make_shared<NotDecoded>(); });
    return true;
  }();
  (void)kInstalled;
}

}  // namespace

DecodeBudgetScope::DecodeBudgetScope() {
  InstallDecoders();
  if (tLeft) return;
  outermost_ = true;
  tLeft = &left_;
}

DecodeBudgetScope::~DecodeBudgetScope() {
  if (outermost_) tLeft = nullptr;
}

}  // namespace morvind
