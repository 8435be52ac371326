#include "settings/set-dlg02.h"

#include <wx/stattext.h>

#include "ui-text.h"

namespace murlo::gui {

void CSetDlg02::createControls(wxBoxSizer* top) {
  bitGroup(top, "ﾀｸﾞの指定",
           {{"<IMG SRC> ﾀｸﾞ", tagbits::kImage},
            {"<A HERF> ﾀｸﾞ", tagbits::kAnchor},
            {"<BODY>背景画像", tagbits::kBody},
            {"<FRAME> 対応", tagbits::kFrame},
            {"「http://」 で始まる全ての文字列を追加", tagbits::kAllHttp},
            {"HTML5 の規則で解析する (srcset, 遅延読み込み, CSS 背景にも対応)", tagbits::kHtml5}});

  wxStaticBoxSizer* jpeg = group(top, "Jpeg 専用");
  jpeg->Add(new wxStaticText(jpeg->GetStaticBox(), wxID_ANY,
                             u8("注） この項目をﾁｪｯｸすると jpg 拡張子のみﾀﾞｳﾝﾛｰﾄﾞ行います。")),
            0, wxALL, dlu(2));
  bitBox(jpeg, "ﾍｯﾀﾞｰ領域のﾁｪｯｸを行う (JFIF 準拠)", tagbits::kJpegOnly);
}

}  // namespace murlo::gui
