// The coder's file forms: whole files in, whole files out, progress and
// failures reported on standard output as the central's coder does.

#include "codec/largebuffer.h"
#include "codec/lzw.h"
#include "codec/lzw_internal.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <new>
#include <span>
#include <vector>

namespace pluvexa {


namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens by the path's own characters: its bytes elsewhere, its UTF-16 on
// Windows, where a narrow name would pass through the code page.
File openFile(const std::filesystem::path& path, bool write)
{
#ifdef _WIN32
    return File(_wfopen(path.c_str(), write ? L"wb" : L"rb"));
#else
    return File(std::fopen(path.c_str(), write ? "wb" : "rb"));
#endif
}


// Reads the whole input straight into a buffer of the size the file
// system reports; whatever follows (a file that grew, a special file whose
// size says nothing) is appended through a vector.
bool readWhole(std::FILE* f, const std::filesystem::path& path, std::unique_ptr<lzw::LargeBuffer>& buffer,
               std::vector<std::uint8_t>& grown, std::span<const std::uint8_t>& data)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::size_t got = 0;
    if (!error && size > 0) {
        buffer = std::make_unique<lzw::LargeBuffer>(static_cast<std::size_t>(size));
        got = std::fread(buffer->data(), 1, static_cast<std::size_t>(size), f);
    }
    std::uint8_t piece[1 << 16];
    std::size_t n = std::fread(piece, 1, sizeof piece, f);
    if (n == 0) {
        data = std::span<const std::uint8_t>(buffer ? buffer->data() : nullptr, got);
        return std::ferror(f) == 0;
    }
    if (got > 0)
        grown.assign(buffer->data(), buffer->data() + got);
    do
        grown.insert(grown.end(), piece, piece + n);
    while ((n = std::fread(piece, 1, sizeof piece, f)) > 0);
    data = grown;
    return std::ferror(f) == 0;
}

bool writeAll(std::FILE* f, const std::uint8_t* data, std::size_t size)
{
    return size == 0 || std::fwrite(data, 1, size, f) == size;
}

// The whole input, read before the output is created, so that a missing
// or unreadable input (a folder) leaves an existing output as it was; then
// the output, open for writing.
struct Files {
    std::unique_ptr<lzw::LargeBuffer> inputBuffer;
    std::vector<std::uint8_t> inputGrown;
    std::span<const std::uint8_t> input;
    File output;

    bool open(const std::filesystem::path& inputPath, const std::filesystem::path& outputPath, std::ostream& out)
    {
        File in = openFile(inputPath, false);
        if (in && readWhole(in.get(), inputPath, inputBuffer, inputGrown, input)) {
            in.reset();
            output = openFile(outputPath, true);
        }
        if (!output)
            out << "Fatal error opening files.\n";
        return static_cast<bool>(output);
    }

    // Closes the output; false (and the message) when a byte did not reach
    // it: a full disk shows up at a write or only at the final flush.
    bool close(bool written, std::ostream& out)
    {
        if (written && std::fclose(output.release()) == 0)
            return true;
        out << "Fatal error writing output file.\n";
        return false;
    }
};

int compressFileUnguarded(const std::filesystem::path& inputPath, const std::filesystem::path& outputPath,
                          std::ostream& out,
                          lzw::CompressStatus& status)
{
    Files f;
    if (!f.open(inputPath, outputPath, out))
        return 0;
    const bool written = lzw::detail::compressTo(f.input, &out, [&](std::span<const std::uint8_t> piece) {
        return writeAll(f.output.get(), piece.data(), piece.size());
    }, &status);
    if (status == lzw::CompressStatus::StringTooLong) {
        out << "Fatal error: a string would pass the expander's " << lzw::kDecodeStackSize << " bytes.\n";
        return 0;
    }
    return f.close(written, out) ? 1 : 0;
}

int expandFileUnguarded(const std::filesystem::path& inputPath, const std::filesystem::path& outputPath,
                        std::ostream& out,
                        lzw::ExpandStatus& status, std::size_t limit)
{
    Files f;
    if (!f.open(inputPath, outputPath, out))
        return 0;
    std::unique_ptr<lzw::LargeBuffer> result;
    std::size_t total = 0;
    status = lzw::detail::expandWhole(f.input, &out, result, total, limit);
    const bool written = !result || writeAll(f.output.get(), result->data(), total);
    return f.close(written, out) && status == lzw::ExpandStatus::Ok ? 1 : 0;
}

// Runs one file operation with the coder's handling of a failed allocation.
int runFile(const std::function<int(std::ostream& out)>& operation)
{
    std::ostream& out = std::cout;
    int result = 0;
    try {
        result = operation(out);
    } catch (const std::bad_alloc&) {
        // Files are closed by their owners during unwinding.
        out << "Fatal error allocating table space!\n";
    }
    out.flush();
    return result;
}

}  // namespace

int compress_file(const std::filesystem::path& inputPath, const std::filesystem::path& outputPath,
                  lzw::CompressStatus* status)
{
    lzw::CompressStatus verdict = lzw::CompressStatus::Ok;
    const int result =
        runFile([&](std::ostream& out) { return compressFileUnguarded(inputPath, outputPath, out, verdict); });
    if (status)
        *status = verdict;
    return result;
}

int expand_file(const std::filesystem::path& inputPath, const std::filesystem::path& outputPath,
                lzw::ExpandStatus* status,
                std::size_t limit)
{
    lzw::ExpandStatus verdict = lzw::ExpandStatus::Ok;
    const int result =
        runFile([&](std::ostream& out) { return expandFileUnguarded(inputPath, outputPath, out, verdict, limit); });
    if (status)
        *status = verdict;
    return result;
}

}  // namespace pluvexa
