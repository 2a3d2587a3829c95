#pragma once

namespace morvind {

class Dialog;

// Runs a dialog's modal loop once its initialisation is done. The program
// uses QDialog::exec(); tests run a script on the dialog instead, so that no
// test ever blocks.
class ModalHost {
 public:
  virtual ~ModalHost() = default;
  // Returns when the dialog has ended; the result is its end code.
  virtual int RunModal(Dialog& dialog) = 0;
};

class ExecModalHost : public ModalHost {
 public:
  int RunModal(Dialog& dialog) override;
};

}  // namespace morvind
