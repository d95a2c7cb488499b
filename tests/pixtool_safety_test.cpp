// pixtool never spoils a pix file: damaged PNGs, a full disk and every way of
// placing an image leave the file either as it was or exactly as intended.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "support/editor_fixture.h"
#include "support/file_bytes.h"
#include "support/pixtool_run.h"
#include "support/scratch_dir.h"

namespace {

using pixtest::Bytes;
using pixtest::FailedWithOneLine;
using pixtest::Pixtool;
using pixtest::ReadFileBytes;
using pixtest::ToolRun;
using pixtest::WriteFileBytes;

constexpr std::size_t kImage = 16 * 16;

const Bytes kFirst = pixtest::Pattern(kImage, 1, 0, 81);
const Bytes kSecond = pixtest::Pattern(kImage, 5, 2, 81);
const Bytes kNew = pixtest::Pattern(kImage, 3, 1, 81);

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t count) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < count; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return ~crc;
}

void PutBigEndian(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
  }
}

// The PNG with the size its header claims changed, the header's checksum made right again.
Bytes WithClaimedSize(Bytes png, std::uint32_t width, std::uint32_t height) {
  PutBigEndian(png, 16, width);
  PutBigEndian(png, 20, height);
  PutBigEndian(png, 29, Crc32(png.data() + 12, 17));
  return png;
}

class PixtoolSafetyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFileBytes("art.pix", Join({kFirst, kSecond})));
    ASSERT_TRUE(WriteFileBytes("new.pix", kNew));
    ASSERT_EQ(Pixtool({"export", "new.pix", "--size", "16x16", "-o", "image.png"}).status, 0);
  }

  // pixtool's temporary files still in the folder.
  static std::vector<std::string> TemporaryFiles() {
    std::vector<std::string> names;
    DIR* folder = opendir(".");
    while (const dirent* entry = folder != nullptr ? readdir(folder) : nullptr) {
      if (std::string(entry->d_name).find(".pixtool-") != std::string::npos) {
        names.emplace_back(entry->d_name);
      }
    }
    if (folder != nullptr) {
      closedir(folder);
    }
    return names;
  }

  pixtest::ScratchDir scratch_;
};

TEST_F(PixtoolSafetyTest, DamagedPngsAreRefusedAndTheFileKept) {
  const Bytes png = ReadFileBytes("image.png");
  ASSERT_GT(png.size(), 100u);
  ASSERT_TRUE(WriteFileBytes("wide.pix", Bytes(17 * 16, 3)));
  ASSERT_EQ(Pixtool({"export", "wide.pix", "--size", "17x16", "-o", "wide.png"}).status, 0);
  const auto damaged = [&png](std::size_t at) {
    Bytes copy = png;
    copy[at] ^= 0x55;
    return copy;
  };
  const auto cut = [&png](std::size_t length) {
    return Bytes(png.begin(), png.begin() + static_cast<long>(length));
  };
  const struct {
    const char* what;
    Bytes file;
    std::string said;
  } cases[] = {
      {"empty", {}, "not a PNG"},
      {"not a PNG at all", Bytes{'h', 'e', 'l', 'l', 'o', '\n'}, "not a PNG"},
      {"cut in the signature", cut(5), "not a PNG"},
      {"cut in the header", cut(20), "not a PNG"},
      {"cut in the pixels", cut(png.size() / 2), "not a PNG"},
      {"cut before the end chunk", cut(png.size() - 6), "not a PNG"},
      {"a changed byte in the pixel data", damaged(png.size() - 20), "not a PNG"},
      {"a changed byte in the header", damaged(18), "not a PNG"},
      {"a huge size claimed", WithClaimedSize(png, 100000, 100000), "is 100000 x 100000 pixels, not 16 x 16"},
      {"the largest size claimed", WithClaimedSize(png, 0x7fffffff, 0x7fffffff),
       "is 2147483647 x 2147483647 pixels, not 16 x 16"},
      {"no width", WithClaimedSize(png, 0, 16), "not a PNG"},
      {"one pixel too wide", ReadFileBytes("wide.png"), "is 17 x 16 pixels, not 16 x 16"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteFileBytes("in.png", c.file));
    for (const std::vector<std::string>& target :
         {std::vector<std::string>{"--into", "art.pix", "--image", "1"},
          std::vector<std::string>{"--append", "art.pix"}}) {
      std::vector<std::string> arguments = {"import", "in.png", "--size", "16x16"};
      arguments.insert(arguments.end(), target.begin(), target.end());
      const ToolRun run = Pixtool(arguments);
      EXPECT_TRUE(FailedWithOneLine(run, 1));
      EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
      EXPECT_EQ(ReadFileBytes("art.pix"), Join({kFirst, kSecond}));
    }
  }
  EXPECT_TRUE(TemporaryFiles().empty());
}

TEST_F(PixtoolSafetyTest, AFullDiskLeavesEveryFileAsItWas) {
  // A real full disk under a PNG written to it directly.
  ToolRun run = Pixtool({"export", "art.pix", "--size", "16x16", "-o", "/dev/full"});
  EXPECT_TRUE(FailedWithOneLine(run, 1));
  EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
  run = Pixtool({"export", "art.pix", "--size", "16x16", "-o", "-"}, {0, "/dev/full"});
  EXPECT_TRUE(FailedWithOneLine(run, 1));
  EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;

  // A disk that fills up part way through the new file: no file may grow past
  // 300 bytes, so the copy of the 512-byte file fails half written.
  const Bytes before = Join({kFirst, kSecond});
  ASSERT_EQ(
      Pixtool({"export", "art.pix", "--size", "16x16", "--all", "--sheet", "2", "-o", "sheet.png"}).status,
      0);
  // The other files that writes below replace: as they were too.
  const std::vector<std::string> others = {"old.png", "old.gif", "old.gpl", "old.pix"};
  for (const std::string& other : others) {
    ASSERT_TRUE(WriteFileBytes(other, Bytes(1000, 7)));
  }
  const std::vector<std::vector<std::string>> writes = {
      {"import", "image.png", "--size", "16x16", "--append", "art.pix"},
      {"import", "image.png", "--size", "16x16", "--into", "art.pix", "--image", "0"},
      {"import", "image.png", "--size", "16x16", "--into", "art.pix", "--image", "5"},
      {"import", "sheet.png", "--size", "16x16", "--sheet", "2", "--into", "art.pix", "--image", "1"},
      {"export", "art.pix", "--size", "16x16", "--all", "--scale", "8", "-o", "old.png"},
      {"export", "art.pix", "--size", "16x16", "--all", "--scale", "4", "-o", "old.gif"},
      {"delete", "old.pix", "--size", "16x16", "--image", "0"},
      {"palette", "-o", "old.gpl"},
  };
  for (const auto& arguments : writes) {
    SCOPED_TRACE(arguments[0] + " " + arguments.back());
    run = Pixtool(arguments, {300, ""});
    EXPECT_TRUE(FailedWithOneLine(run, 1));
    EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes("art.pix"), before);
    for (const std::string& other : others) {
      EXPECT_EQ(ReadFileBytes(other), Bytes(1000, 7)) << other;
    }
    EXPECT_TRUE(TemporaryFiles().empty());
  }
}

TEST_F(PixtoolSafetyTest, ImagesLandInTheirSlots) {
  const Bytes two = Join({kFirst, kSecond});
  const Bytes partial(kFirst.begin(), kFirst.begin() + 10);
  const struct {
    const char* what;
    std::vector<std::string> target;
    Bytes before;  // empty: no file
    Bytes after;
    std::string said;
  } cases[] = {
      {"over the first image",
       {"--into", "art.pix", "--image", "0"},
       two,
       Join({kNew, kSecond}),
       "wrote image 0"},
      {"over the last image",
       {"--into", "art.pix", "--image", "1"},
       two,
       Join({kFirst, kNew}),
       "wrote image 1"},
      {"past the end",
       {"--into", "art.pix", "--image", "3"},
       two,
       Join({two, Bytes(kImage, 0), kNew}),
       "filled the 256 bytes between with zeros"},
      {"into a file that ends inside the image",
       {"--into", "art.pix", "--image", "1"},
       Join({kFirst, partial}),
       Join({kFirst, kNew}),
       "wrote image 1"},
      {"appended", {"--append", "art.pix"}, two, Join({two, kNew}), "appended as image 2"},
      {"appended to a new file", {"--append", "art.pix"}, {}, kNew, "appended as image 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove("art.pix");
    if (!c.before.empty()) {
      ASSERT_TRUE(WriteFileBytes("art.pix", c.before));
    }
    std::vector<std::string> arguments = {"import", "image.png", "--size", "16x16"};
    arguments.insert(arguments.end(), c.target.begin(), c.target.end());
    const ToolRun run = Pixtool(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
    const Bytes after = ReadFileBytes("art.pix");
    EXPECT_EQ(after, c.after) << pixtest::FirstDifference(c.after, after);
  }
}

TEST_F(PixtoolSafetyTest, DeletingMovesTheLaterImagesUp) {
  const Bytes three = Join({kFirst, kSecond, kNew});
  const Bytes part(10, 1);
  const struct {
    const char* what;
    Bytes before;
    const char* image;
    int status;
    Bytes after;
    std::string said;
  } cases[] = {
      {"the first", three, "0", 0, Join({kSecond, kNew}),
       "took image 0 out of art.pix: 2 images of 16 x 16 left"},
      {"a middle one", three, "1", 0, Join({kFirst, kNew}), "took image 1 out"},
      {"the last", three, "2", 0, Join({kFirst, kSecond}), "took image 2 out"},
      {"the only one", kFirst, "0", 0, {}, "0 images of 16 x 16 left"},
      {"with a part image after", Join({three, part}), "0", 0, Join({kSecond, kNew, part}),
       "the 10 bytes after the last whole image stay at the end"},
      {"past the last", three, "3", 1, three, "holds images 0 to 2 of 16 x 16; there is no image 3"},
      {"the part image", Join({three, part}), "3", 1, Join({three, part}), "there is no image 3"},
      {"of a file too short for one", part, "0", 1, part, "holds no whole image of 16 x 16 (10 bytes)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteFileBytes("art.pix", c.before));
    const ToolRun run = Pixtool({"delete", "art.pix", "--size", "16x16", "--image", c.image});
    if (c.status == 0) {
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
    } else {
      EXPECT_TRUE(FailedWithOneLine(run, c.status));
      EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    }
    const Bytes after = ReadFileBytes("art.pix");
    EXPECT_TRUE(pixtest::FileExists("art.pix"));
    EXPECT_EQ(after, c.after) << pixtest::FirstDifference(c.after, after);
  }
  EXPECT_TRUE(TemporaryFiles().empty());
}

TEST_F(PixtoolSafetyTest, RefusedPlacesLeaveTheFileAlone) {
  const Bytes partial = Join({kFirst, Bytes(10, 1)});
  ASSERT_EQ(mkdir("folder.pix", 0755), 0);
  ASSERT_EQ(symlink("/dev/full", "device.pix"), 0);
  const struct {
    const char* what;
    std::vector<std::string> target;
    Bytes before;  // empty: no file
    std::string said;
  } cases[] = {
      {"into a missing file", {"--into", "art.pix", "--image", "0"}, {}, "No such file"},
      {"appended after a part image", {"--append", "art.pix"}, partial, "ends 10 bytes into an image"},
      {"into a folder", {"--into", "folder.pix", "--image", "0"}, {}, "not a regular file"},
      {"appended to a device", {"--append", "device.pix"}, {}, "not a regular file"},
      {"past what pixtool writes",
       {"--into", "art.pix", "--image", "2000000000"},
       partial,
       "larger than pixtool"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove("art.pix");
    if (!c.before.empty()) {
      ASSERT_TRUE(WriteFileBytes("art.pix", c.before));
    }
    std::vector<std::string> arguments = {"import", "image.png", "--size", "16x16"};
    arguments.insert(arguments.end(), c.target.begin(), c.target.end());
    const ToolRun run = Pixtool(arguments);
    EXPECT_TRUE(FailedWithOneLine(run, 1));
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    EXPECT_EQ(pixtest::FileExists("art.pix"), !c.before.empty());
    EXPECT_EQ(ReadFileBytes("art.pix"), c.before);
  }
  EXPECT_TRUE(TemporaryFiles().empty());
}

TEST_F(PixtoolSafetyTest, ReplacingKeepsThePermissionsAndFollowsALink) {
  ASSERT_EQ(chmod("art.pix", 0604), 0);
  ASSERT_EQ(symlink("art.pix", "link.pix"), 0);
  const ToolRun run =
      Pixtool({"import", "image.png", "--size", "16x16", "--into", "link.pix", "--image", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes("art.pix"), Join({kFirst, kNew}));
  struct stat link {};
  struct stat file {};
  ASSERT_EQ(lstat("link.pix", &link), 0);
  ASSERT_EQ(stat("art.pix", &file), 0);
  EXPECT_TRUE(S_ISLNK(link.st_mode)) << "the link is still a link";
  EXPECT_EQ(file.st_mode & 07777, 0604u);
}

}  // namespace
