#include "app/qt/CardPrinterApp.h"

int main(int argc, char** argv) {
  return morvind::RunCardPrinter(argc, argv);
}
