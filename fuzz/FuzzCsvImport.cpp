
#include "CChannelCsv.h"
#include "CM220Radio.h"
#include "CMemoryArchive.h"
#include "FuzzSandbox.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kt;

// A channel list of any content imported into a radio holding a varied
// channel plan. The first byte chooses the channel spacing; the rest is the
// text. A list with any error must leave the image exactly as it was; a list
// taken must export into a list that imports again to the same image, and
// every problem must carry a line of the text (or 0) and a text of its own.

namespace {
[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "kt-fuzz: %s\n", what);
    std::abort();
}

// The data file the document would save: the whole image.
std::string Image(CM220Radio& radio) {
    CMemoryArchive out;
    radio.Serialize(out);
    return out.Bytes();
}

void Prepare(CM220Radio& radio, const char* spacing) {
    radio.NewData();
    radio.SetChannelSpacing(spacing);
    radio.SetFrequency(1, "121.500");
    radio.SetName(1, "GUARD");
    radio.SetFrequency(5, "118.005");
    radio.SetAppear(5, "ON");
    radio.SetLockout(5, "ON");
    radio.SetFrequency(20, "136.975");
    radio.SetAppear(20, "ON");
    radio.SetTxInhibit(20, "ON");
    radio.Heal();
}

// Lines end at CR LF, LF or a lone CR, as the reader takes them.
int LineCount(std::string_view text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    return lines;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const char* const kSpacings[] = {"25kHz", "8.33kHz", "25k/8.33kHz"};
    const char* spacing = kSpacings[data[0] % 3];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    // The radio's temporary data file goes into the private folder.
    static const bool sandboxed = !FuzzSandbox::Folder().empty();
    (void)sandboxed;
    static CM220Radio radio;
    Prepare(radio, spacing);
    const std::string before = Image(radio);
    const std::vector<CCsvProblem> problems = CChannelCsv::Import(radio, text);
    const int lines = LineCount(text);
    for (const CCsvProblem& p : problems)
        if (p.line < 0 || p.line > lines || p.text.empty()) {
            std::fprintf(stderr, "kt-fuzz: %s (the text has %d lines)\n", p.ToString().c_str(),
                         lines);
            Fail("a problem without a sound line or text");
        }
    if (HasErrors(problems)) {
        if (Image(radio) != before)
            Fail("a list with errors changed the image");
        return 0;
    }

    // Taken: the channel plan now in the radio survives its own export.
    const std::string taken = Image(radio);
    const std::string csv = CChannelCsv::Export(radio);
    static CM220Radio again;
    Prepare(again, spacing);
    if (HasErrors(CChannelCsv::Import(again, csv)))
        Fail("an exported list was refused");
    if (Image(again) != taken)
        Fail("an exported list imported to another image");
    return 0;
}
