#include "tests/native/TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "fw/base/AfxHooks.h"
#include "fw/base/AfxMessages.h"

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    std::random_device rd;
    fs::path p = fs::temp_directory_path() / ("ordelink-test-" + std::to_string(rd()));
    fs::create_directories(p);
    m_path = p.generic_string();
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    for (auto& e : fs::recursive_directory_iterator(m_path, ec))
        fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::vector<std::string> ScratchDir::List() const {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(m_path)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestDataPath(const std::string& name) {
    return std::string(ORD_TEST_DATA_DIR) + "/" + name;
}

namespace {
MessageRecorder* g_pRecorder = nullptr;
}

MessageRecorder::MessageRecorder(int nAnswer) : m_nAnswer(nAnswer), m_pPrevious(g_pRecorder) {
    g_pRecorder = this;
    AfxSetMessageBoxHandler(&MessageRecorder::Record);
}

MessageRecorder::~MessageRecorder() {
    g_pRecorder = m_pPrevious;
    if (!g_pRecorder) AfxSetMessageBoxHandler(nullptr);
}

int MessageRecorder::Record(const CString& text, UINT type) {
    g_pRecorder->messages.push_back({text, type});
    return g_pRecorder->m_nAnswer;
}

CString Ansi(const char* utf8) {
    return afxmsg::FromUtf8(utf8);
}

CUrlItem* AddRecord(COrdelinkDoc& doc, int nID, int nParentID, const CString& strTitle, int nIsURL,
                    const CString& strURL, const CString& strMemo) {
    doc.AddNewItem();
    CUrlItem* p = doc.m_PtrAry[doc.m_PtrAry.GetSize() - 1];
    p->m_ID = nID;
    p->m_ParentID = nParentID;
    p->m_Title = strTitle;
    p->m_IsURL = nIsURL;
    p->m_URL = strURL;
    p->m_Memo = strMemo;
    doc.m_bEmpty = 0;
    return p;
}
