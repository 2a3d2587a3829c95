#pragma once

#include "resources/MessageSink.h"
#include "resources/StringTable.h"

namespace morvind {

class ModalHost;

// What every dialog needs from its surroundings: where modal runs and
// message boxes go, and the string table.
struct UiContext {
  ModalHost* modalHost = nullptr;
  MessageSink* messages = nullptr;
  const StringTable* strings = nullptr;
};

}  // namespace morvind
