// The binding table against F1's list: every key listed works, every key that works is listed, and the list
// on the screen is the table's, page by page.
#include "app/key_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/key_list.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "support/editor_session.h"
#include "support/scratch_dir.h"
#include "support/screen_text.h"

namespace {

// The keys the README's table names, written out by hand.
const char* const kReadmeKeys[] = {
    "F1",
    "Escape",
    "B",
    "G",
    "L",
    "U",
    "Shift+U",
    "Shift+H",
    "Shift+V",
    "Ctrl+Z",
    "Ctrl+Y",
    "Ctrl+S",
    "Enter",
    "Ctrl+0",
    "Ctrl+1",
    "Ctrl+arrows",
    "Home",
    "End",
    "[",
    "]",
    "Left, Right",
    "Shift+arrows",
    "Ctrl+Shift+Z",
    "+ and -",
    "Alt+N",
    "Ctrl+N",
    "Ctrl+Shift+E",
    "M",
    "Ctrl+C",
    "Ctrl+X",
    "Ctrl+V",
    "Delete",
    "Ctrl+A",
    "Ctrl+D",
    "F3",
    "X",
    "Y",
    "P",
    "D",
    "F4",
    "PageDown",
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(KeyTableTest, EveryBindingIsOnTheLineOfItsMeaningAndEveryLineIsABinding) {
  const std::vector<KeyListLine> lines = KeyListLines();
  std::set<std::string> meanings;
  for (const KeyBinding& binding : KeyBindings()) {
    meanings.insert(binding.meaning);
    const auto line = std::find_if(lines.begin(), lines.end(),
                                   [&binding](const KeyListLine& l) { return l.meaning == binding.meaning; });
    ASSERT_NE(line, lines.end()) << binding.meaning;
    EXPECT_TRUE(Contains(line->keys, binding.keys)) << line->keys << " lacks " << binding.keys;
  }
  // The keys' lines first, then the mouse's, which are no binding's.
  std::size_t keyLines = 0;
  while (keyLines < lines.size() && meanings.count(lines[keyLines].meaning) == 1) {
    ++keyLines;
  }
  for (std::size_t i = keyLines; i < lines.size(); ++i) {
    EXPECT_EQ(0u, meanings.count(lines[i].meaning)) << lines[i].meaning;
  }
  EXPECT_GT(keyLines, lines.size() / 2);
  for (const char* keys : kReadmeKeys) {
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [keys](const KeyListLine& l) { return Contains(l.keys, keys); }))
        << keys << " is not listed";
  }
}

TEST(KeyTableTest, NoKeyIsBoundTwiceAndTheLoopReadsEveryBoundKey) {
  std::set<std::pair<int, int>> bound;
  const std::span<const int> read = LoopKeys();
  for (const KeyBinding& binding : KeyBindings()) {
    EXPECT_TRUE(bound.insert({binding.key, binding.modifiers}).second) << binding.keys << " bound twice";
    EXPECT_TRUE(std::find(read.begin(), read.end(), binding.key) != read.end())
        << binding.keys << " never read";
  }
}

// The list as F1 draws it, page by page, is the table's, and F1 on the last
// page takes it away.
TEST(KeyTableTest, TheListOnTheScreenIsTheTablesPageByPage) {
  pixtest::ScratchDir scratch;
  ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
  ASSERT_TRUE(pixtest::StartEditor());
  pixtest::IdlePasses(1);
  const std::vector<KeyListLine> lines = KeyListLines();
  const int perPage = KeyListLinesPerPage();
  ASSERT_GE(KeyListPages() * perPage, static_cast<int>(lines.size()));
  for (int page = 0; page < KeyListPages(); ++page) {
    plat::headless::HoldKeys({plat::VK_F1});
    pixtest::IdlePasses(1);
    plat::headless::HoldKeys({});
    pixtest::IdlePasses(1);
    ASSERT_TRUE(KeyListShown()) << "page " << page;
    for (int i = 0; i < perPage && page * perPage + i < static_cast<int>(lines.size()); ++i) {
      const KeyListLine& line = lines[static_cast<std::size_t>(page * perPage + i)];
      const int y = 13 + 8 + 16 * (i + 1);
      EXPECT_EQ(line.keys, pixtest::ReadScreenText(158, y, static_cast<int>(line.keys.size())));
      EXPECT_EQ(line.meaning,
                pixtest::ReadScreenText(158 + 21 * 8, y, static_cast<int>(line.meaning.size())));
    }
  }
  plat::headless::HoldKeys({plat::VK_F1});
  pixtest::IdlePasses(1);
  plat::headless::HoldKeys({});
  pixtest::IdlePasses(1);
  EXPECT_FALSE(KeyListShown());
  pixtest::StopEditor();
}

}  // namespace
