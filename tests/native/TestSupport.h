// Shared helpers for the tests: scratch folders, whole-file bytes, and a
// recorder for message boxes.
#pragma once

#include <string>
#include <vector>

#include "fw/base/AfxTypes.h"
#include "fw/base/CString.h"
#include "store/COrdelinkDoc.h"

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> List() const;

private:
    std::string m_path;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string TestDataPath(const std::string& name);

// Records every message box while alive; answers with nAnswer.
class MessageRecorder {
public:
    explicit MessageRecorder(int nAnswer = 1);
    ~MessageRecorder();
    struct Message {
        CString text;
        UINT type;
    };
    std::vector<Message> messages;

private:
    static int Record(const CString& text, UINT type);
    int m_nAnswer;
    MessageRecorder* m_pPrevious;
};

// UTF-8 program text in the active code page.
CString Ansi(const char* utf8);

// Appends a record with these fields the way the editing code does (GetFreeID
// aside) and marks the document non-empty.
CUrlItem* AddRecord(COrdelinkDoc& doc, int nID, int nParentID, const CString& strTitle = "",
                    int nIsURL = 0, const CString& strURL = "", const CString& strMemo = "");
