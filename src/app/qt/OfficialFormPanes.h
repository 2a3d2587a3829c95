#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <array>
#include <memory>
#include <string>

#include "data/CodePage.h"
#include "printing/CardRequest.h"
#include "printing/qt/OfficialForm.h"

class QPainter;

namespace morvind {

// The official form as the two preview panes show it: the request's record
// filled into the form and rendered, the header pane the part around the
// header's fields, the table pane the table. A picture is rendered again
// only when the record's values, the form file or the pane's size change,
// not at every paint; the form file is read again when it changed on disk,
// looked at when a new record is shown (ReadFormFileAgain), never at a
// paint.
class OfficialFormPanes {
 public:
  OfficialFormPanes();
  ~OfficialFormPanes();

  // Paints `area` of the form `formFile` filled with the request's values
  // into `client`: one scale for both directions, the largest that fits,
  // centred on white. A form file that can't be read is said there instead.
  void Paint(FormArea area, const std::string& formFile, const CardRequest& request,
             QPainter& painter, const QRect& client);

  // The next paint looks whether the form file changed (a new record is
  // shown).
  void ReadFormFileAgain();

  // How many pictures were rendered so far (for the tests of the cache).
  int RenderCount() const { return renders_; }

 private:
  struct FormFile;
  struct Picture {
    std::string key;  // the form file's identity and the values
    QSize size;
    QImage image;
  };
  // The form of `formFile`, opened again when the file changed; null when
  // it can't be opened (`refusal` says why).
  OfficialForm* Form(const std::string& formFile, CodePage codePage, std::string& refusal);

  std::unique_ptr<FormFile> file_;
  std::array<Picture, 2> pictures_;
  int renders_ = 0;
};

}  // namespace morvind
