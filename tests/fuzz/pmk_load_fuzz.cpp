// Any bytes as a document file: loading ends in a document or a message,
// and whatever loads can be walked by the link page and the export without
// looping, however its parent links are damaged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "convert/FavoritesExport.h"
#include "convert/LinkPage.h"
#include "fw/base/AfxHooks.h"
#include "store/COrdelinkDoc.h"

namespace {

int Silent(const CString&, UINT) {
    return AFX_IDOK;
}

const std::string& TempPath() {
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        return std::string(dir ? dir : "/tmp") + "/ordelink-fuzz-" + std::to_string(getpid()) +
               ".pmk";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AfxSetMessageBoxHandler(Silent);
    std::FILE* fp = std::fopen(TempPath().c_str(), "wb");
    if (!fp) return 0;
    std::fwrite(data, 1, size, fp);
    std::fclose(fp);
    COrdelinkDoc doc;
    if (doc.OnOpenDocument(TempPath().c_str())) {
        WriteLinkPage(doc, "/dev/null", LinkPageOptions());
        // Into a directory that cannot exist: every file and directory fails
        // and the walk still visits the whole tree.
        ExportFolder("/nonexistent/ordelink-fuzz", CDocumentTree(doc), nullptr);
    }
    return 0;
}
