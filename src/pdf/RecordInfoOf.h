#pragma once

#include <qpdf/QPDF.hh>
#include <string_view>

#include "pdf/RecordSeal.h"

namespace morvind {

// ReadRecordInfo on a document the gate has parsed from `bytes` already.
RecordFileFacts RecordInfoOf(QPDF& pdf, std::string_view bytes);

}  // namespace morvind
