// The file dialog's filter conversion and the test handler that stands in
// for the system dialog.
#include <gtest/gtest.h>

#include "fw/win/CFileDialog.h"

namespace {

TEST(FileDialog, FiltersBecomeTheSystemsNulSeparatedList) {
    const struct {
        const char* text;
        std::string system;
    } cases[] = {
        {"HTM Files (*.HTM)|*.HTM|All  Files (*.*)|*.*||",
         std::string("HTM Files (*.HTM)\0*.HTM\0All  Files (*.*)\0*.*\0\0\0\0", 48)},
        // A text without its closing bars still ends with two NULs.
        {"A|*.a", std::string("A\0*.a\0\0", 7)},
        {"", std::string("\0\0", 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CFileDialog::SystemFilter(c.text), c.system);
    }
}

INT_PTR ChooseFile(CFileDialog& dlg) {
    dlg.SetPathName(std::string("C:\\chosen\\" + dlg.GetFileName().str()).c_str());
    return IDOK;
}
INT_PTR Cancel(CFileDialog&) {
    return IDCANCEL;
}

TEST(FileDialog, AHandlerAnswersInPlaceOfTheSystemDialog) {
    CFileDialog::Handler old = CFileDialog::SetHandler(ChooseFile);
    CFileDialog open(TRUE, "HTM", "bookmark.htm", OFN_HIDEREADONLY, "H|*.HTM||");
    EXPECT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), "C:\\chosen\\bookmark.htm");
    EXPECT_TRUE(open.IsOpenDialog());
    EXPECT_EQ(open.GetDefExt(), "HTM");
    EXPECT_EQ(open.GetFlags(), static_cast<DWORD>(OFN_HIDEREADONLY));

    CFileDialog::SetHandler(Cancel);
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_TRUE(open.GetPathName().IsEmpty());
    CFileDialog::SetHandler(old);
}

}  // namespace
