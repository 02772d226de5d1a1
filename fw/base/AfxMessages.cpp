#include "fw/base/AfxMessages.h"

#include "fw/base/AfxHooks.h"
#include "fw/base/CFileException.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace afxmsg {

CString FromUtf8(const char* pszUtf8) {
    std::string out;
    if (!platform::Utf8ToCodePage(pszUtf8, codepage::Active(), out)) out = pszUtf8;
    return CString(std::move(out));
}

CString FailedToOpenDocument() {
    return FromUtf8("ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。");
}

CString FailedToSaveDocument() {
    return FromUtf8("ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。");
}

CString UnexpectedFileFormat() {
    return FromUtf8("予期しないﾌｧｲﾙ形式です。");
}

CString AskToSave() {
    return FromUtf8("%1 への変更を保存しますか？");
}

CString FileError(int nCause, const char* pszFileName) {
    const char* text = nullptr;
    switch (nCause) {
        case CFileException::fileNotFound:
            text = "%1 が見つかりません。";
            break;
        case CFileException::badPath:
            text = "%1 のﾊﾟｽが正しくありません。";
            break;
        case CFileException::accessDenied:
            text = "%1 にｱｸｾｽできません。";
            break;
        case CFileException::tooManyOpenFiles:
            text = "開いているﾌｧｲﾙが多すぎるため %1 を開けません。";
            break;
        case CFileException::sharingViolation:
        case CFileException::lockViolation:
            text = "%1 は他のﾌﾟﾛｸﾞﾗﾑが使用中です。";
            break;
        case CFileException::diskFull:
            text = "ﾃﾞｨｽｸがいっぱいのため %1 を書き込めません。";
            break;
        case CFileException::hardIO:
            text = "%1 の読み書き中にｴﾗｰが発生しました。";
            break;
        default:
            return CString();
    }
    return AfxFormatString1(FromUtf8(text), pszFileName);
}

}  // namespace afxmsg
