// Entry of every Windows test program. A wrong locale under Wine would turn
// the plug-in's Japanese text into question marks, so it fails first.
#include <gtest/gtest.h>
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv) {
  if (GetACP() != 932) {
    fprintf(stderr, "The ANSI code page is %u, not 932: run Wine with LC_ALL=ja_JP.UTF-8.\n", GetACP());
    return 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
