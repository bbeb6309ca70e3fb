#include "CCloneCable.h"
#include "SimTestFrames.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kt {

using namespace simtest;

namespace {

using Kind = CLineItem::Kind;

// The bytes of a line output, and where its marks stand among them.
struct Seen {
    ByteVector bytes;
    std::vector<std::pair<Kind, std::size_t>> marks;
};

Seen Look(const CLineOutput& out) {
    Seen seen;
    for (const CLineItem& item : out.items) {
        if (item.kind == Kind::Byte)
            seen.bytes.push_back(item.byte);
        else
            seen.marks.emplace_back(item.kind, seen.bytes.size());
    }
    return seen;
}

struct Rig {
    explicit Rig(const CCableFaults& faults = {}, const CTransceiverSetup& setup = {})
        : transceiver(setup, SampleImage()), cable(transceiver, faults) {}

    CLineOutput Feed(const ByteVector& bytes) {
        CLineOutput out;
        cable.FromProgram(bytes, out);
        return out;
    }

    static ByteVector IdentityAnswer() {
        return CTransceiver({}, SampleImage()).OnFrame(BodyOf(IdentityRequest())).frames.at(0);
    }

    CTransceiver transceiver;
    CCloneCable cable;
};

std::vector<ByteVector> ReadAnswer() {
    return CTransceiver({}, SampleImage()).OnFrame(BodyOf(ReadRequest())).frames;
}

} // namespace

TEST(CCloneCableTest, EveryByteComesBackAndTheAnswerFollowsTheEcho) {
    Rig rig;
    const ByteVector junk{0x11, 0x22};
    const Seen seen = Look(rig.Feed(Join({junk, IdentityRequest()})));
    EXPECT_EQ(seen.bytes, Join({junk, IdentityRequest(), rig.IdentityAnswer()}));
    ASSERT_EQ(seen.marks.size(), 1u);
    EXPECT_EQ(seen.marks[0], std::make_pair(Kind::ExchangeDone, seen.bytes.size()));
}

TEST(CCloneCableTest, AFrameArrivingInPiecesIsStillOneFrame) {
    Rig rig;
    Seen seen;
    for (std::uint8_t b : IdentityRequest()) {
        const Seen part = Look(rig.Feed({b}));
        seen.bytes.insert(seen.bytes.end(), part.bytes.begin(), part.bytes.end());
    }
    EXPECT_EQ(seen.bytes, Join({IdentityRequest(), rig.IdentityAnswer()}));
}

TEST(CCloneCableTest, NoEchoLeavesOnlyTheAnswer) {
    Rig rig({.noEcho = true});
    EXPECT_EQ(Look(rig.Feed(IdentityRequest())).bytes, rig.IdentityAnswer());
}

TEST(CCloneCableTest, WrongEchoAltersOneByteOfTheNamedFrameOnly) {
    for (const int frame : {1, 2}) {
        SCOPED_TRACE(frame);
        Rig rig({.wrongEchoFrame = frame});
        const ByteVector sent = Join({IdentityRequest(), ReadRequest()});
        const ByteVector back = Look(rig.Feed(sent)).bytes;
        const ByteVector honest = Look(Rig().Feed(sent)).bytes;
        ASSERT_EQ(back.size(), honest.size());
        std::vector<std::size_t> differ;
        for (std::size_t i = 0; i < back.size(); ++i)
            if (back[i] != honest[i])
                differ.push_back(i);
        ASSERT_EQ(differ.size(), 1u);
        // The first payload byte (offset 5) of the named frame of the program;
        // the second frame follows the first's echo and answer.
        const std::size_t frameStart = frame == 1 ? 0 : 10 + rig.IdentityAnswer().size();
        EXPECT_EQ(differ[0], frameStart + 5);
        EXPECT_NE(back[differ[0]], 0xFD);
        EXPECT_NE(back[differ[0]], 0xFE);
    }
}

TEST(CCloneCableTest, NoiseGoesBeforeEachTransceiverFrameAndNeverFrames) {
    Rig rig({.noise = true});
    const ByteVector noise(std::begin(CCloneCable::kNoise), std::end(CCloneCable::kNoise));
    EXPECT_EQ(std::count(noise.begin(), noise.end(), 0xFE), 0);
    EXPECT_EQ(std::count(noise.begin(), noise.end(), 0xFD), 0);

    ByteVector expected = ReadRequest();
    for (const ByteVector& frame : ReadAnswer())
        expected = Join({expected, noise, frame});
    EXPECT_EQ(Look(rig.Feed(ReadRequest())).bytes, expected);
}

TEST(CCloneCableTest, APulledCableLetsNothingThroughAfterItsFrames) {
    const std::vector<ByteVector> records = ReadAnswer();
    struct Case {
        int pullAfter;
        ByteVector expected;
        bool exchangeDone;
    };
    const Case cases[] = {
        {0, {}, false},
        {1, ReadRequest(), false},
        {3, Join({ReadRequest(), records[0], records[1]}), false},
        {33, Look(Rig().Feed(ReadRequest())).bytes, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pullAfter);
        Rig rig({.pullAfter = c.pullAfter});
        const Seen seen = Look(rig.Feed(ReadRequest()));
        EXPECT_EQ(seen.bytes, c.expected);
        EXPECT_EQ(seen.marks.size(), c.exchangeDone ? 1u : 0u);
        EXPECT_TRUE(Look(rig.Feed(IdentityRequest())).bytes.empty()) << "still pulled";
    }
}

TEST(CCloneCableTest, TheTransceiverHearsTheLastFrameThatPassesBeforeThePull) {
    // A write of 33 frames (request, 31 records, end frame): the end frame
    // passes, the write is kept, but its result never comes back.
    Rig rig({.pullAfter = 33});
    const SimImage image = SampleImage();
    ByteVector sent = WriteRequest();
    for (std::size_t i = 0; i < kSimRecordCount; ++i)
        sent = Join({sent, RecordFrame(image, static_cast<std::uint16_t>(0x010 + 16 * i))});
    sent = Join({sent, EndFrame()});

    const CLineOutput out = rig.Feed(sent);

    EXPECT_TRUE(out.imageWritten);
    EXPECT_EQ(Look(out).bytes, sent) << "the echo only, no result";
}

TEST(CCloneCableTest, TheDeviceVanishesAfterItsFrames) {
    Rig rig({.closeAfter = 2});
    const Seen seen = Look(rig.Feed(Join({IdentityRequest(), IdentityRequest()})));
    EXPECT_EQ(seen.bytes, Join({IdentityRequest(), rig.IdentityAnswer()}));
    ASSERT_EQ(seen.marks.size(), 1u);
    EXPECT_EQ(seen.marks[0], std::make_pair(Kind::CloseDevice, seen.bytes.size()));
    EXPECT_TRUE(rig.cable.Dead());
}

TEST(CCloneCableTest, AFrameCutByAClosedPortIsForgotten) {
    Rig rig;
    const ByteVector request = IdentityRequest();
    rig.Feed(ByteVector(request.begin(), request.begin() + 6));
    rig.cable.ResetSession();
    // The rest alone is no frame: no answer.
    EXPECT_EQ(Look(rig.Feed(ByteVector(request.begin() + 6, request.end()))).bytes,
              ByteVector(request.begin() + 6, request.end()));
}

} // namespace kt
