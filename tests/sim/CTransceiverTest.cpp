#include "CTransceiver.h"
#include "SimTestFrames.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kt {

using namespace simtest;

namespace {

CTransceiverAnswer Send(CTransceiver& transceiver, const ByteVector& frame) {
    return transceiver.OnFrame(BodyOf(frame));
}

// Sends a whole write of image: request, 31 records, end frame.
CTransceiverAnswer WriteImage(CTransceiver& transceiver, const SimImage& image) {
    Send(transceiver, WriteRequest());
    for (std::size_t i = 0; i < kSimRecordCount; ++i)
        Send(transceiver, RecordFrame(image, static_cast<std::uint16_t>(kSimFirstRecord + 16 * i)));
    return Send(transceiver, EndFrame());
}

SimImage ChangedImage() {
    SimImage image = SampleImage();
    for (std::size_t a = 0x010; a < kSimImageSize; ++a)
        image[a] = static_cast<std::uint8_t>(image[a] ^ 0x5A);
    return image;
}

// The decoded bytes of a data record frame from the transceiver.
ByteVector RecordBytes(const ByteVector& frame) {
    const auto body = BodyOf(frame);
    const std::string text(body.begin() + 3, body.end());
    return CSimFrame::DecodeHex(text).value_or(ByteVector{});
}

} // namespace

TEST(CTransceiverTest, IdentityAnswerCarriesCodesAndTheCloneCommentOfTheImage) {
    SimImage image = SampleImage();
    const std::string_view comment = "TOWER 118.100 MH";
    std::copy(comment.begin(), comment.end(), image.begin() + kSimCommentAddress);
    CTransceiver transceiver({}, image);

    const CTransceiverAnswer answer = Send(transceiver, IdentityRequest());

    ASSERT_EQ(answer.frames.size(), 1u);
    const ByteVector text(comment.begin(), comment.end());
    const ByteVector expected =
        Join({{0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x22, 0x70, 0x01, 0x00}, text, {0xFD}});
    EXPECT_EQ(answer.frames[0], expected);
    EXPECT_TRUE(answer.exchangeDone);
}

TEST(CTransceiverTest, IdentityAnswerReportsTheGivenCodesAndText) {
    CTransceiverSetup setup;
    setup.model = 0x1234;
    setup.revision = 0x0101;
    setup.comment = ""; // an empty text: a 7-byte body
    const auto answer = CTransceiver(setup, SampleImage()).OnFrame(BodyOf(IdentityRequest()));
    ASSERT_EQ(answer.frames.size(), 1u);
    EXPECT_EQ(answer.frames[0],
              (ByteVector{0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x12, 0x34, 0x01, 0x01, 0xFD}));
}

TEST(CTransceiverTest, ReadSendsTheThirtyOneRecordsOfTheImageAndTheEndFrame) {
    const SimImage image = SampleImage();
    CTransceiver transceiver({}, image);

    const CTransceiverAnswer answer = Send(transceiver, ReadRequest());

    ASSERT_EQ(answer.frames.size(), 32u);
    EXPECT_TRUE(answer.exchangeDone);
    // The record of 0x0010 with sixteen blanks, byte for byte.
    std::string text = "001010";
    for (int i = 0; i < 16; ++i)
        text += "20";
    text += "E0";
    const ByteVector first =
        Join({{0xFE, 0xFE, 0xEF, 0xEE, 0xE4}, ByteVector(text.begin(), text.end()), {0xFD}});
    EXPECT_EQ(answer.frames[0], first);
    EXPECT_EQ(answer.frames[0].size(), 46u);

    for (std::size_t i = 0; i < kSimRecordCount; ++i) {
        SCOPED_TRACE(i);
        const ByteVector bytes = RecordBytes(answer.frames[i]);
        ASSERT_EQ(bytes.size(), 20u);
        const std::size_t address = kSimFirstRecord + 16 * i;
        EXPECT_EQ(bytes[0] * 256u + bytes[1], address);
        EXPECT_EQ(bytes[2], 16u);
        EXPECT_EQ(ByteVector(bytes.begin() + 3, bytes.end() - 1),
                  ByteVector(image.begin() + address, image.begin() + address + 16));
        EXPECT_EQ(CSimFrame::Checksum(bytes), 0u) << "all bytes with the checksum sum to 0";
    }
    EXPECT_EQ(answer.frames[31], CSimFrame::FromTransceiver(0xE5, "Velk Inc."));
}

TEST(CTransceiverTest, RequestsForAnotherModelOrRevisionAreIgnored) {
    const ByteVector payloads[] = {{0x22, 0x70, 0x01, 0x01},
                                   {0x22, 0x71, 0x01, 0x00},
                                   {0x22, 0x70, 0x01},
                                   {0x22, 0x70, 0x01, 0x00, 0x00}};
    for (const ByteVector& payload : payloads) {
        SCOPED_TRACE(CSimFrame::RecordText(0, 0, payload, 0));
        const SimImage image = SampleImage();
        CTransceiver transceiver({}, image);

        const auto read = Send(transceiver, ProgramFrame(CSimFrame::kReadRequest, payload));
        EXPECT_TRUE(read.frames.empty());
        EXPECT_FALSE(read.exchangeDone);

        // A refused write request: the records and end frame after it are ignored.
        Send(transceiver, ProgramFrame(CSimFrame::kWriteRequest, payload));
        EXPECT_FALSE(transceiver.Writing());
        const SimImage other = ChangedImage();
        Send(transceiver, RecordFrame(other, 0x010));
        const auto end = Send(transceiver, EndFrame());
        EXPECT_TRUE(end.frames.empty());
        EXPECT_EQ(transceiver.Image(), image);
    }
}

// Each fault of a read changes exactly the frames it names, and only as it says.
TEST(CTransceiverTest, ReadFaultsChangeExactlyWhatTheySay) {
    const SimImage image = SampleImage();
    const std::vector<ByteVector> honest =
        CTransceiver({}, image).OnFrame(BodyOf(ReadRequest())).frames;

    struct Case {
        const char* name;
        CTransceiverFaults faults;
    };
    const Case cases[] = {
        {"bad checksum 5", {.badChecksumRecord = 5}},
        {"lying count 3", {.lyingCountRecord = 3}},
        {"short end", {.shortEnd = true}},
        {"long frame", {.longFrame = true}},
        {"silent", {.silent = true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTransceiverSetup setup;
        setup.faults = c.faults;
        const std::vector<ByteVector> frames =
            CTransceiver(setup, image).OnFrame(BodyOf(ReadRequest())).frames;

        if (c.faults.silent) {
            EXPECT_TRUE(frames.empty());
            continue;
        }
        std::vector<ByteVector> rest = frames;
        if (c.faults.longFrame) {
            ASSERT_EQ(frames.size(), honest.size() + 1);
            const auto body = BodyOf(frames[0]);
            EXPECT_EQ(body.size(), 300u);
            EXPECT_EQ(body[0], 0xEF);
            EXPECT_EQ(body[2], CTransceiver::kLongFrameCommand);
            EXPECT_EQ(std::count(body.begin(), body.end(), 0xFD) +
                          std::count(body.begin(), body.end(), 0xFE),
                      0);
            rest.erase(rest.begin());
        }
        ASSERT_EQ(rest.size(), honest.size());
        for (std::size_t i = 0; i < honest.size(); ++i) {
            SCOPED_TRACE(i);
            const bool named = (c.faults.badChecksumRecord == static_cast<int>(i) + 1) ||
                               (c.faults.lyingCountRecord == static_cast<int>(i) + 1) ||
                               (c.faults.shortEnd && i == honest.size() - 1);
            if (!named) {
                EXPECT_EQ(rest[i], honest[i]);
                continue;
            }
            if (c.faults.badChecksumRecord > 0) {
                const ByteVector good = RecordBytes(honest[i]);
                const ByteVector bad = RecordBytes(rest[i]);
                ASSERT_EQ(bad.size(), good.size());
                EXPECT_TRUE(std::equal(good.begin(), good.end() - 1, bad.begin()));
                EXPECT_EQ(bad.back(), static_cast<std::uint8_t>(good.back() + 1));
            }
            if (c.faults.lyingCountRecord > 0) {
                const ByteVector bytes = RecordBytes(rest[i]);
                EXPECT_EQ(bytes[2], 15u);
                EXPECT_EQ(bytes.size() - 4, 16u) << "still 16 data bytes";
                EXPECT_EQ(CSimFrame::Checksum(bytes), 0u) << "the checksum fits the lie";
            }
            if (c.faults.shortEnd) {
                EXPECT_EQ(rest[i], CSimFrame::FromTransceiver(0xE5, "Velk Inc"));
            }
        }
    }
}

TEST(CTransceiverTest, AWriteLandsInTheImageAndIsAnsweredWithSuccess) {
    const SimImage before = SampleImage();
    CTransceiver transceiver({}, before);
    const SimImage written = ChangedImage();

    const CTransceiverAnswer answer = WriteImage(transceiver, written);

    ASSERT_EQ(answer.frames.size(), 1u);
    EXPECT_EQ(answer.frames[0], (ByteVector{0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD}));
    EXPECT_TRUE(answer.imageWritten);
    EXPECT_TRUE(answer.exchangeDone);
    for (std::size_t a = 0; a < kSimImageSize; ++a)
        ASSERT_EQ(transceiver.Image()[a], a < kSimFirstRecord ? before[a] : written[a]) << a;

    // Records in lower case and of other lengths are taken too: 3 bytes at
    // 0x1FD; 01+FD+03+AB+CD+EF = 0x368, checksum 0x98.
    Send(transceiver, WriteRequest());
    Send(transceiver, ProgramFrame(0xE4, "01fd03abcdef98"));
    EXPECT_EQ(Send(transceiver, EndFrame()).frames.at(0)[5], 0x00);
    EXPECT_EQ(transceiver.Image()[0x1FD], 0xAB);
    EXPECT_EQ(transceiver.Image()[0x1FF], 0xEF);

    // The identity answer now reports the written clone comment.
    const auto identity = Send(transceiver, IdentityRequest());
    EXPECT_EQ(std::string(identity.frames[0].begin() + 9, identity.frames[0].end() - 1),
              std::string(written.begin() + 0x10, written.begin() + 0x20));
}

TEST(CTransceiverTest, AWriteWithAnUnsoundRecordFailsAndLeavesTheImage) {
    const SimImage before = SampleImage();
    const SimImage written = ChangedImage();
    const ByteVector good = RecordFrame(written, 0x100);
    auto withText = [](const std::string& text) { return ProgramFrame(0xE4, text); };
    ByteVector badChecksum = good;
    badChecksum[badChecksum.size() - 2] ^= 0x01; // last checksum digit
    struct Case {
        const char* name;
        ByteVector frame;
    };
    const Case cases[] = {
        {"wrong checksum", badChecksum},
        {"count differs from the data", withText("0100022020209D")},
        {"not hexadecimal", withText("01000120XY")},
        {"odd number of digits", withText("010001202")},
        {"no data bytes", withText("010000FF")},
        {"past the end of the image", withText("01FF022020BE")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTransceiver transceiver({}, before);
        Send(transceiver, WriteRequest());
        Send(transceiver, good);
        Send(transceiver, c.frame);
        const auto answer = Send(transceiver, EndFrame());
        ASSERT_EQ(answer.frames.size(), 1u);
        EXPECT_EQ(answer.frames[0][5], CTransceiver::kWriteFailed);
        EXPECT_FALSE(answer.imageWritten);
        EXPECT_EQ(transceiver.Image(), before) << "not even the sound record is kept";
    }
}

TEST(CTransceiverTest, TheInjectedResultIsSentAndOnlyZeroKeepsTheWrite) {
    for (const std::uint8_t result : {0x00, 0x01, 0x05, 0xFD}) {
        SCOPED_TRACE(static_cast<int>(result));
        CTransceiverSetup setup;
        setup.faults.result = result;
        const SimImage before = SampleImage();
        CTransceiver transceiver(setup, before);

        const auto answer = WriteImage(transceiver, ChangedImage());

        ASSERT_EQ(answer.frames.size(), 1u);
        EXPECT_EQ(answer.frames[0], (ByteVector{0xFE, 0xFE, 0xEF, 0xEE, 0xE6, result, 0xFD}));
        EXPECT_EQ(answer.imageWritten, result == 0x00);
        EXPECT_EQ(transceiver.Image() == before, result != 0x00);
    }
}

TEST(CTransceiverTest, ACorruptedWriteRecordIsKeptAlteredUnderSuccess) {
    CTransceiverSetup setup;
    setup.faults.corruptWriteRecord = 10; // 0x0A0, memory channel 5
    CTransceiver transceiver(setup, SampleImage());
    const SimImage written = ChangedImage();

    const auto answer = WriteImage(transceiver, written);

    ASSERT_EQ(answer.frames.size(), 1u);
    EXPECT_EQ(answer.frames[0][5], 0x00);
    EXPECT_TRUE(answer.imageWritten);
    for (std::size_t a = kSimFirstRecord; a < kSimImageSize; ++a)
        ASSERT_EQ(transceiver.Image()[a], a == 0x0A5 ? written[a] ^ 0x01 : written[a]) << a;
}

TEST(CTransceiverTest, AWriteEndingWrongOrCutOffIsNotKept) {
    const SimImage before = SampleImage();
    const SimImage written = ChangedImage();
    {
        SCOPED_TRACE("end frame one byte short");
        CTransceiver transceiver({}, before);
        Send(transceiver, WriteRequest());
        Send(transceiver, RecordFrame(written, 0x010));
        const auto answer = Send(transceiver, ProgramFrame(0xE5, "Velk Inc"));
        ASSERT_EQ(answer.frames.size(), 1u);
        EXPECT_EQ(answer.frames[0][5], CTransceiver::kWriteFailed);
        EXPECT_EQ(transceiver.Image(), before);
    }
    {
        SCOPED_TRACE("port closed in the middle");
        CTransceiver transceiver({}, before);
        Send(transceiver, WriteRequest());
        Send(transceiver, RecordFrame(written, 0x010));
        EXPECT_FALSE(transceiver.ResetSession().empty());
        const auto answer = Send(transceiver, EndFrame());
        EXPECT_TRUE(answer.frames.empty());
        EXPECT_EQ(transceiver.Image(), before);
    }
}

} // namespace kt
