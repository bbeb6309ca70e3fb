
#include "CFileFormatError.h"
#include "CM220Radio.h"
#include "CMemoryArchive.h"
#include "CRigEngine.h"
#include "FuzzDataFiles.h"
#include "FuzzSandbox.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kt;

// FILE.LOAD on a data file of any content, by both ways a file comes in: the
// engine's load command, and the radio data object reading a document (which
// copies the lines through its temporary file first). Both must give the same
// answer word. A refused file must leave the image exactly as it was; a file
// taken must save again into a file that keeps its data through another load
// and save (FuzzDataFiles::CheckRoundTrip).

namespace {
const char* const kAnswers[] = {"OK",
                                "CANNOT_OPEN_FILE",
                                "FORMAT_ERROR",
                                "MISMATCH_MODEL",
                                "MISMATCH_REVISION",
                                "DATA_OVERFLOW",
                                "NOT_ENOUGH_DATA"};

bool IsLoadAnswer(const std::string& answer) {
    for (const char* a : kAnswers)
        if (answer == a)
            return true;
    return false;
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "kt-fuzz: %s\n", what.c_str());
    std::abort();
}

std::string Load(CRigEngine& engine, const std::string& path) {
    return engine.Command("FILE.LOAD.\"" + path + "\"");
}

// The answer word when the document reader refuses the bytes, else "OK".
std::string DocumentAnswer(const std::string& bytes) {
    static CM220Radio radio;
    try {
        CMemoryArchive archive(bytes);
        radio.Serialize(archive);
    } catch (const CFileFormatError& e) {
        return e.AnswerWord().empty() ? std::string("(") + e.what() + ")" : e.AnswerWord();
    }
    return "OK";
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string file = FuzzSandbox::File("input");
    const std::string before = FuzzSandbox::File("before");
    const std::string after = FuzzSandbox::File("after");
    if (!FuzzSandbox::WriteBytes(file, bytes))
        Fail("cannot write the input file");

    // The engine starts each input from the same image, not the default
    // one, so that a load that keeps part of the old image shows. Loading a
    // file decides all that a save writes, so one engine serves every input.
    static CRigEngine engine;
    static const std::string original = [&] {
        engine.Command("INITIALIZE");
        engine.Command("CH.MCH.9.FREQUENCY=127.35");
        engine.Command("CH.MCH.9.APPEAR=ON");
        engine.Command("COMMON.CLONE_COMMENT=before load");
        return FuzzDataFiles::Save(engine, before);
    }();
    // A refused file has left the image as it was (that is checked below).
    static bool changed = false;
    if (changed && Load(engine, before) != "OK")
        Fail("the engine does not load its own file");

    const std::string answer = Load(engine, file);
    if (!IsLoadAnswer(answer))
        Fail("the load answered \"" + answer + "\"");
    const std::string document = DocumentAnswer(bytes);
    if (document != answer)
        Fail("the engine answered " + answer + " but the document reader " + document);

    changed = answer == "OK";
    const std::string saved = FuzzDataFiles::Save(engine, after);
    if (answer != "OK") {
        if (saved != original)
            Fail("a refused load changed the image");
        return 0;
    }
    static CRigEngine reader;
    FuzzDataFiles::CheckRoundTrip(reader, saved, FuzzSandbox::File("again"));
    return 0;
}
