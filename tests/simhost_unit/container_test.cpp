// Containers through the table: order, nesting, copies, and the borrowed
// pointers a module gets back.
#include <gtest/gtest.h>

#include <cstring>

#include "common/plugin_ids.h"
#include "host.h"
#include "test_support.h"

namespace simhost {
namespace {

class ContainerTest : public ::testing::Test {
 protected:
  std::string TextAt(const c4d_container* container, int32_t key) {
    c4d_value value;
    if (!api_.get(container, key, &value) || value.text == nullptr) return "<none>";
    return std::string(value.text, static_cast<size_t>(value.text_length));
  }

  c4d_value ContainerValue(c4d_container* container) {
    c4d_value value;
    std::memset(&value, 0, sizeof value);
    value.type = C4D_VALUE_CONTAINER;
    value.container = container;
    return value;
  }

  std::vector<int32_t> Keys(const c4d_container* container) {
    std::vector<int32_t> keys;
    for (int32_t i = 0; i < api_.count(container); ++i) keys.push_back(api_.key_at(container, i));
    return keys;
  }

  Host host_;
  const c4d_container_api& api_ = *host_.Table().container;
};

TEST_F(ContainerTest, KeysKeepInsertionOrderAndReplacingKeepsThePlace) {
  // Shaped like the browser's saved layout record.
  namespace ids = simhost_app::plugin_ids;
  const int32_t pack = ids::kPackChooser, size = ids::kSizeChooser;
  c4d_container* container = api_.create(ids::kBrowserCommand);
  for (int32_t key : {pack, size, 7}) {
    c4d_value value = simhost_test::Int32Value(key);
    api_.set(container, key, &value);
  }
  c4d_value replaced = simhost_test::StringValue("now text");
  api_.set(container, size, &replaced);
  EXPECT_EQ(Keys(container), (std::vector<int32_t>{pack, size, 7}));
  EXPECT_EQ(TextAt(container, size), "now text");
  EXPECT_TRUE(api_.remove(container, pack));
  EXPECT_FALSE(api_.remove(container, pack));
  EXPECT_EQ(Keys(container), (std::vector<int32_t>{size, 7}));
  c4d_value missing;
  EXPECT_FALSE(api_.get(container, pack, &missing));
  EXPECT_EQ(missing.type, C4D_VALUE_NIL);
  EXPECT_EQ(api_.get_id(container), ids::kBrowserCommand);
  api_.flush(container);
  EXPECT_EQ(api_.count(container), 0);
  api_.destroy(container);
}

TEST_F(ContainerTest, NestedContainersAreCopiedInAndReachableInPlace) {
  c4d_container* inner = api_.create(5);
  c4d_value text = simhost_test::StringValue("deep");
  api_.set(inner, 1, &text);
  c4d_container* outer = api_.create(0);
  c4d_value nested = ContainerValue(inner);
  api_.set(outer, 2, &nested);
  api_.destroy(inner);  // the outer container holds its own copy

  c4d_value got;
  ASSERT_TRUE(api_.get(outer, 2, &got));
  ASSERT_EQ(got.type, C4D_VALUE_CONTAINER);
  EXPECT_EQ(api_.get_id(got.container), 5);
  EXPECT_EQ(TextAt(got.container, 1), "deep");
  c4d_value changed = simhost_test::StringValue("changed in place");
  api_.set(got.container, 1, &changed);

  c4d_container* clone = api_.clone(outer);
  ASSERT_TRUE(api_.get(clone, 2, &got));
  EXPECT_EQ(TextAt(got.container, 1), "changed in place");
  api_.set(got.container, 1, &text);  // the clone is deep
  ASSERT_TRUE(api_.get(outer, 2, &got));
  EXPECT_EQ(TextAt(got.container, 1), "changed in place");

  // A container set into itself holds a snapshot, not a loop.
  c4d_value self = ContainerValue(outer);
  api_.set(outer, 3, &self);
  ASSERT_TRUE(api_.get(outer, 3, &got));
  EXPECT_EQ(api_.count(got.container), 1);

  // Borrowed containers are not the module's to destroy.
  ASSERT_TRUE(api_.get(outer, 2, &got));
  api_.destroy(got.container);
  EXPECT_EQ(host_.Warnings().size(), 1u);
  EXPECT_EQ(TextAt(got.container, 1), "changed in place");
  api_.destroy(clone);
  api_.destroy(outer);
  api_.destroy(outer);  // stale
  EXPECT_EQ(host_.Warnings().size(), 2u);
  EXPECT_EQ(api_.count(outer), 0);
}

TEST_F(ContainerTest, MalformedValuesAreRefused) {
  c4d_container* container = api_.create(0);
  c4d_value odd = simhost_test::Int32Value(1);
  odd.type = 999;
  api_.set(container, 1, &odd);
  api_.set(container, 2, nullptr);
  c4d_value no_text = simhost_test::StringValue("");
  no_text.text = nullptr;
  no_text.text_length = 12;
  api_.set(container, 3, &no_text);
  EXPECT_EQ(Keys(container), (std::vector<int32_t>{3}));
  EXPECT_EQ(TextAt(container, 3), "");
  EXPECT_EQ(host_.Warnings().size(), 2u);
  api_.destroy(container);
}

}  // namespace
}  // namespace simhost
