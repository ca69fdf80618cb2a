#include "host/host_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "refhost/refhost.h"

namespace {

const char* const kNames[] = {
#define NAME(ret, name, params, args) #name,
    MQ_HOST_FUNCTIONS(NAME)
#undef NAME
};

void ClearTable() {
#define CLEAR(ret, name, params, args) name = nullptr;
  MQ_HOST_FUNCTIONS(CLEAR)
#undef CLEAR
}

std::vector<void*> Table() {
  return {
#define ENTRY(ret, name, params, args) reinterpret_cast<void*>(name),
      MQ_HOST_FUNCTIONS(ENTRY)
#undef ENTRY
  };
}

TEST(HostTable, BindsAllFunctionsByNameInOrder) {
  std::vector<std::string> asked;
  struct RECORDER {
    static void* Lookup(void* context, const char* name) {
      static_cast<std::vector<std::string>*>(context)->push_back(name);
      return RefHostLookup(nullptr, name);
    }
  };
  ClearTable();
  ASSERT_TRUE(BindHostFunctions(RECORDER::Lookup, &asked));
  ASSERT_EQ(asked.size(), 140u);
  std::vector<void*> table = Table();
  for (size_t i = 0; i < 140; ++i) {
    EXPECT_EQ(asked[i], kNames[i]);
    EXPECT_EQ(table[i], RefHostLookup(nullptr, kNames[i])) << kNames[i];
  }
  // The bound entries reach the reference host.
  EXPECT_EQ(MQ_GetWindowHandle(), RH_MQ_GetWindowHandle());
}

TEST(HostTable, StopsAtTheFirstMissingFunction) {
  for (size_t missing = 0; missing < 140; ++missing) {
    ClearTable();
    ASSERT_FALSE(BindHostFunctions(RefHostLookup, const_cast<char*>(kNames[missing]))) << kNames[missing];
    std::vector<void*> table = Table();
    for (size_t i = 0; i < 140; ++i) {
      if (i < missing) EXPECT_NE(table[i], nullptr) << "bound before " << kNames[missing] << ": " << kNames[i];
      else EXPECT_EQ(table[i], nullptr) << "bound after " << kNames[missing] << ": " << kNames[i];
    }
  }
  // Leave a complete table for the tests that follow.
  ASSERT_TRUE(BindHostFunctions(RefHostLookup, nullptr));
}

TEST(HostTable, EntriesBoundEarlierKeepTheirValues) {
  ASSERT_TRUE(BindHostFunctions(RefHostLookup, nullptr));
  EXPECT_FALSE(BindHostFunctions(RefHostLookup, const_cast<char*>("MQ_SendMessage")));
  for (void* entry : Table()) EXPECT_NE(entry, nullptr);
  ASSERT_TRUE(BindHostFunctions(RefHostLookup, nullptr));
}

}  // namespace
