#include <gtest/gtest.h>
#include "cipher/QuilCrypt.h"
TEST(Crypt, Roundtrip) { TQuilCrypt::TBlock b{}; b[0]=7; auto c=b; TQuilCrypt::EncipherBlock(c,"fable.txt"); TQuilCrypt::DecipherBlock(c,"fable.txt"); EXPECT_EQ(b,c); }
