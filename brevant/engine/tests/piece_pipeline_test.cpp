#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "engine_test_songs.h"
#include "piece_pipeline.h"

namespace brevant {
namespace {

using testing::makeTrack;
using testing::ramp;
using testing::TempDir;

struct Readers {
    explicit Readers(const Song& song) {
        EXPECT_TRUE(first.open(song));
        EXPECT_TRUE(second.open(song));
    }
    BlockReader first{1, 2};
    BlockReader second{1, 2};
};

TEST(PiecePipeline, HandsOnAlternatePiecesInOrderAndStopsBothOnAThrow) {
    TempDir dir;
    Song song;
    // Six blocks and a bit: three whole pieces, a piece of one block, the end.
    // (The bytes in order are checked against the block-by-block mix elsewhere.)
    makeTrack(dir, song, "a.wav", false, 8000, ramp(6 * 7680 + 5));
    const MixGains gains = recomputeGains(song);

    Readers all(song);
    PiecePipeline pipeline({&all.first, &all.second}, song, gains, 2);
    std::vector<int> blocks;
    pipeline.run([&](const PiecePipeline::Piece& piece) {
        EXPECT_TRUE(piece.status);
        blocks.push_back(piece.blocks);
        return piece.blocks > 0;
    });
    EXPECT_EQ(blocks, (std::vector<int>{2, 2, 2, 1, 0}));

    Readers again(song);
    PiecePipeline throwing({&again.first, &again.second}, song, gains, 2);
    int taken = 0;
    EXPECT_THROW(throwing.run([&](const PiecePipeline::Piece&) -> bool {
        if (++taken == 2)
            throw std::runtime_error("taker failed");
        return true;
    }),
                 std::runtime_error);
    EXPECT_EQ(taken, 2);
}

}  // namespace
}  // namespace brevant
