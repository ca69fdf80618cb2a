#include "host/keyvalue.h"

#include <gtest/gtest.h>

TEST(KeyValue, LookupIsExactFirstMatchAndStopsAtTheTerminator) {
  int a = 1, b = 2, c = 3;
  char text[] = "text";
  KEYVALUE list[] = {{"alpha", &a}, {"alphabet", &b}, {"alpha", &c}, {"name", text},
                     {"empty", nullptr}, {nullptr, nullptr}, {"after", &a}};
  EXPECT_EQ(GetIntValue(list, "alpha", -1), 1);
  EXPECT_EQ(GetIntValue(list, "alphabet", -1), 2);
  EXPECT_EQ(GetIntValue(list, "alph", -1), -1);
  EXPECT_EQ(GetIntValue(list, "Alpha", -1), -1);
  EXPECT_EQ(GetIntValue(list, "after", -1), -1);
  EXPECT_EQ(GetIntValue(list, "empty", -1), -1);  // a key without a value takes the default
  EXPECT_EQ(GetPointerValue(list, "name"), text);
  EXPECT_EQ(GetPointerValue(list, "missing"), nullptr);
  EXPECT_EQ(GetPointerValue(nullptr, "name"), nullptr);
  EXPECT_EQ(GetIntValue(nullptr, "alpha", 9), 9);
  EXPECT_EQ(FindKey(list, "alpha"), &list[0]);
}
