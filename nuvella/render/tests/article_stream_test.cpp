#include "article_stream.h"

#include <gtest/gtest.h>

#include <string>

namespace nuvella {
namespace {

TEST(ArticleStream, HandsOverTheDocumentInRequestedChunksThenNothing) {
    for (const std::size_t chunk : {1u, 7u, 4096u}) {
        ArticleStream stream;
        stream.data = "{\\rtf1 hello}";
        std::string received;
        char buffer[4096];
        for (std::size_t n; (n = stream.read(buffer, chunk)) > 0;) {
            ASSERT_LE(n, chunk);
            received.append(buffer, n);
        }
        EXPECT_EQ(received, stream.data) << chunk;
        EXPECT_EQ(stream.position, stream.size());
        EXPECT_EQ(stream.read(buffer, chunk), 0u);
    }
}

}  // namespace
}  // namespace nuvella
