// Saving when the disk runs full: the old file must survive byte for byte.
#include <gtest/gtest.h>

#include "store/COrdelinkDoc.h"
#include "tests/native/FileSizeLimit.h"
#include "tests/native/TestSupport.h"

TEST(SaveFailure, DiskFullLeavesTheOldFileAndNoTemporaryFile) {
    ScratchDir dir;
    const std::string path = dir.File("doc.pmk");
    const std::string old = ReadBytes(TestDataPath("sample.pmk"));
    WriteBytes(path, old);

    COrdelinkDoc doc;
    for (int i = 1; i <= 5000; ++i)
        AddRecord(doc, i, 0, "a title long enough to need many kilobytes in all");
    doc.SetModifiedFlag();
    MessageRecorder recorder;
    {
        FileSizeLimit limit(64 * 1024);
        EXPECT_FALSE(doc.OnSaveDocument(path.c_str()));
    }
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text,
              Ansi("ﾃﾞｨｽｸがいっぱいのため ") + CString(path) + Ansi(" を書き込めません。"));
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"doc.pmk"});
    EXPECT_TRUE(doc.IsModified());
}
