#include "toolkit/ModalHost.h"

#include "toolkit/Dialog.h"

namespace morvind {

int ExecModalHost::RunModal(Dialog& dialog) {
  return dialog.exec();
}

}  // namespace morvind
