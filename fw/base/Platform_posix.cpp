// POSIX implementation of the platform services (native builds).
#include "fw/base/Platform.h"

#include <errno.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "fw/base/CFileException.h"
#include "fw/base/SearchFold.h"

namespace platform {
namespace {

std::string IconvName(int nCodePage) {
    switch (nCodePage) {
        case 65001:
            return "UTF-8";
        case 65000:
            return "UTF-7";
        case 1200:
            return "UTF-16LE";
        default:
            return "CP" + std::to_string(nCodePage);
    }
}

// Length of the UTF-8 sequence a lead byte starts (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char c) {
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
    if (c >= 0xC2) return 2;
    return 1;
}

// The conversion descriptor last opened on this thread, kept for the next
// conversion between the same pair: opening one costs more than converting a
// short text.
class CIconvCache {
public:
    ~CIconvCache() {
        if (m_cd != kNone) iconv_close(m_cd);
    }
    iconv_t Get(const std::string& from, const std::string& to) {
        if (m_cd != kNone && from == m_from && to == m_to) {
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
            return m_cd;
        }
        iconv_t cd = iconv_open(to.c_str(), from.c_str());
        if (cd == kNone) return kNone;
        if (m_cd != kNone) iconv_close(m_cd);
        m_cd = cd;
        m_from = from;
        m_to = to;
        return cd;
    }

    static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);

private:
    iconv_t m_cd = kNone;
    std::string m_from, m_to;
};

// Converts with iconv; nUnit is the input's unit size, 0 for UTF-8. An unconvertible or invalid
// input unit becomes `replacement` and conversion goes on after it.
bool Convert(const char* pIn, size_t nIn, const std::string& from, const std::string& to,
             size_t nUnit, const std::string& replacement, std::string& out) {
    thread_local CIconvCache cache;
    iconv_t cd = cache.Get(from, to);
    if (cd == CIconvCache::kNone) return false;
    out.clear();
    char buf[4096];
    char* in = const_cast<char*>(pIn);
    size_t inLeft = nIn;
    while (inLeft > 0) {
        char* outp = buf;
        size_t outLeft = sizeof buf;
        size_t r = iconv(cd, &in, &inLeft, &outp, &outLeft);
        out.append(buf, outp - buf);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: skip one character of the input (a whole
            // UTF-8 sequence, so one unconvertible character gives one mark).
            size_t skip = nUnit;
            if (!skip) {
                const size_t nSeq = Utf8SequenceLength(static_cast<unsigned char>(*in));
                skip = 1;
                while (skip < nSeq && skip < inLeft && (in[skip] & 0xC0) == 0x80) ++skip;
            }
            if (skip > inLeft) skip = inLeft;
            in += skip;
            inLeft -= skip;
            out += replacement;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return true;
}

}  // namespace

void ResetErrors() {
    errno = 0;
}

int SystemCodePage() {
    return 932;
}

int LegacyCodePage() {
    return 932;
}

bool IsSystemLeadByte(int nCodePage, int ch) {
    switch (nCodePage) {
        case 932:
            return (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
        case 936:
        case 949:
        case 950:
            return ch >= 0x81 && ch <= 0xFE;
        default:
            return false;
    }
}

void FoldForSearch(const char* p, size_t n, int nCodePage, std::string& out) {
    out.clear();
    if (nCodePage == 932) {
        codepage::AppendFoldedCp932(p, n, out);
        return;
    }
    if (nCodePage == 65001) {
        codepage::AppendFoldedUtf8(p, n, out);
        return;
    }
    out.assign(p, n);
    codepage::FoldAsciiCase(out, nCodePage);
}

bool CodePageToUtf8(const std::string& in, int nCodePage, std::string& out) {
    return Convert(in.data(), in.size(), IconvName(nCodePage), "UTF-8", 1, "\xEF\xBF\xBD", out);
}

bool Utf8ToCodePage(const std::string& in, int nCodePage, std::string& out) {
    return Convert(in.data(), in.size(), "UTF-8", IconvName(nCodePage), 0, "?", out);
}

bool Utf16ToCodePage(const std::u16string& in, int nCodePage, std::string& out) {
    return Convert(reinterpret_cast<const char*>(in.data()), in.size() * 2, "UTF-16LE",
                   IconvName(nCodePage), 2, "?", out);
}

bool CodePageToUtf16(const std::string& in, int nCodePage, std::u16string& out) {
    std::string bytes;
    if (!Convert(in.data(), in.size(), IconvName(nCodePage), "UTF-16LE", nCodePage == 65001 ? 0 : 1,
                 std::string("\xFD\xFF", 2), bytes))
        return false;
    out.resize(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return true;
}

std::FILE* OpenRegularFileToRead(const std::string& strPath) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    const int fd = open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    const int nError = fstat(fd, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : EINVAL;
    if (nError != 0) {
        close(fd);
        errno = nError;
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* fp = fdopen(fd, "rb");
    if (!fp) close(fd);
    return fp;
}

FileError FileErrorFromErrno(int nErrno) {
    FileError e;
    e.lOsError = nErrno;
    e.nCause = CFileException::CauseFromErrno(nErrno);
    return e;
}

std::string CreateTempFileIn(const std::string& strDir, FileError* pError) {
    std::string path = (strDir.empty() ? std::string(".") : strDir) + "/~ordXXXXXX.tmp";
    int fd = mkstemps(&path[0], 4);
    if (fd < 0) {
        if (pError) *pError = FileErrorFromErrno(errno);
        return std::string();
    }
    close(fd);
    return path;
}

bool ReplaceFileWith(const std::string& strTarget, const std::string& strReplacement,
                     FileError* pError) {
    // The replacement keeps the target's permissions, as a file rewritten in
    // place would.
    struct stat st;
    chmod(strReplacement.c_str(), stat(strTarget.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    if (rename(strReplacement.c_str(), strTarget.c_str()) != 0) {
        if (pError) *pError = FileErrorFromErrno(errno);
        return false;
    }
    // Make the rename itself durable.
    std::string dir = strTarget.substr(0, strTarget.find_last_of('/') + 1);
    int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return true;
}

bool RemoveFile(const std::string& strPath) {
    return unlink(strPath.c_str()) == 0;
}

bool FileExists(const std::string& strPath) {
    struct stat st;
    return stat(strPath.c_str(), &st) == 0;
}

bool IsReadOnlyFile(const std::string& strPath) {
    struct stat st;
    return stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

bool FlushToDisk(std::FILE* fp) {
    return std::fflush(fp) == 0 && fsync(fileno(fp)) == 0;
}

}  // namespace platform
