// The embedded files of a project: the regular files directly inside EmbeddedDir, and the
// compression level that archive block 1 is written with.
#pragma once

#include "project/archive_block.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace project {

// The files that a save stores: regular files directly inside `dir` (hidden ones included,
// subfolders and their content left out), named in lower case, a name listed once only, sorted by
// name so that saving the same folder twice gives the same bytes. A missing folder lists nothing.
std::vector<ArchiveFile> listEmbeddedFiles(const std::filesystem::path& dir);

// Lower case as the studio stores file names: ASCII letters and the letters of Windows-1252
// (À..Þ, Š, Œ, Ž, Ÿ) in UTF-8 text; everything else is kept.
std::string lowerCaseFileName(std::string_view utf8);

// The compression level index of the Embedded Files dialog and its setting EmbeddedCompression.
enum class CompressionLevel { Fast = 0, None = 1, Default = 2, Max = 3 };
constexpr int kDefaultCompressionIndex = 1;

// The level that saves use. The stored setting (EmbeddedCompression in section General, default 1)
// only takes effect once the Embedded Files dialog has been shown since the studio started: until
// then every save uses index 1 ("None").
class CompressionSetting {
public:
    int index() const { return m_index; }
    // The dialog opens: it selects the stored entry, which saves use from now on.
    int dialogShown();
    // The dialog closes with `index` selected: written back to the setting.
    void dialogHidden(int index);

private:
    int m_index = kDefaultCompressionIndex;
};

// zlib level for an index (an index out of range counts as the default, None).
int zlibLevelFor(int index);
// Message key of the list entry: COMPLEVL1 ("Fast") … COMPLEVL4 ("Max").
const char* compressionLevelKey(int index);

} // namespace project
