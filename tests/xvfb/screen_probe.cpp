// Reads screenshots (PNG, any colour type) for the real-program checks and answers one question each.
//
// Usage:
//   screen_probe size FILE                                  -> "800x600"
//   screen_probe colours FILE LEFT TOP WIDTH HEIGHT         -> the distinct colours, "RRGGBB ..." sorted
//   screen_probe hash FILE LEFT TOP WIDTH HEIGHT            -> a hash of the rectangle's pixels
//   screen_probe others FILE RRGGBB [LEFT TOP WIDTH HEIGHT]...
//       -> how many pixels are not RRGGBB, outside every rectangle given
//   screen_probe differ FILE FILE [LEFT TOP WIDTH HEIGHT]...
//       -> how many pixels differ between the two images, outside every rectangle given
// Exits with 2 and a message on a bad argument or an unreadable file; rectangles are clipped to the image.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  std::uint32_t At(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return (std::uint32_t{rgb[at]} << 16) | (std::uint32_t{rgb[at + 1]} << 8) | rgb[at + 2];
  }
};

struct Rect {
  int left;
  int top;
  int width;
  int height;
  bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};

[[noreturn]] void Die(const std::string& message) {
  std::fprintf(stderr, "screen_probe: %s\n", message.c_str());
  std::exit(2);
}

Image Load(const char* path) {
  png_image png = {};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path)) {
    Die(std::string("cannot read ") + path + ": " + png.message);
  }
  png.format = PNG_FORMAT_RGB;
  Image image;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgb.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr)) {
    Die(std::string("cannot decode ") + path + ": " + png.message);
  }
  return image;
}

int Number(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < -100000 || value > 100000) {
    Die(std::string("not a number: ") + text);
  }
  return static_cast<int>(value);
}

std::uint32_t Colour(const char* text) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 16);
  if (end != text + 6 || *end != '\0') {
    Die(std::string("not a colour RRGGBB: ") + text);
  }
  return static_cast<std::uint32_t>(value);
}

// Rectangles given as groups of four numbers from argument first on.
std::vector<Rect> Rects(int argc, char** argv, int first) {
  if ((argc - first) % 4 != 0) {
    Die("a rectangle needs LEFT TOP WIDTH HEIGHT");
  }
  std::vector<Rect> rects;
  for (int i = first; i < argc; i += 4) {
    rects.push_back({Number(argv[i]), Number(argv[i + 1]), Number(argv[i + 2]), Number(argv[i + 3])});
  }
  return rects;
}

bool InAny(const std::vector<Rect>& rects, int x, int y) {
  for (const Rect& rect : rects) {
    if (rect.Contains(x, y)) {
      return true;
    }
  }
  return false;
}

// Calls visit(x, y) for every pixel of rect that lies on the image.
template <typename Visit>
void ForEachPixel(const Image& image, const Rect& rect, Visit visit) {
  for (int y = std::max(rect.top, 0); y < std::min(rect.top + rect.height, image.height); ++y) {
    for (int x = std::max(rect.left, 0); x < std::min(rect.left + rect.width, image.width); ++x) {
      visit(x, y);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    Die("usage: screen_probe size|colours|hash|others|differ FILE ...");
  }
  const std::string command = argv[1];
  const Image image = Load(argv[2]);
  const Rect whole = {0, 0, image.width, image.height};

  if (command == "size" && argc == 3) {
    std::printf("%dx%d\n", image.width, image.height);
  } else if ((command == "colours" || command == "hash") && argc == 7) {
    const Rect rect = Rects(argc, argv, 3)[0];
    std::set<std::uint32_t> colours;
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the pixels, row by row
    ForEachPixel(image, rect, [&](int x, int y) {
      const std::uint32_t colour = image.At(x, y);
      colours.insert(colour);
      for (int shift = 16; shift >= 0; shift -= 8) {
        hash = (hash ^ ((colour >> shift) & 0xFF)) * 1099511628211ull;
      }
    });
    if (command == "hash") {
      std::printf("%016llx\n", static_cast<unsigned long long>(hash));
    } else {
      std::string line;
      for (const std::uint32_t colour : colours) {
        char word[8];
        std::snprintf(word, sizeof word, "%06X", colour);
        if (!line.empty()) {
          line += ' ';
        }
        line += word;
      }
      std::printf("%s\n", line.c_str());
    }
  } else if (command == "others" && argc >= 4) {
    const std::uint32_t colour = Colour(argv[3]);
    const std::vector<Rect> except = Rects(argc, argv, 4);
    long count = 0;
    ForEachPixel(image, whole, [&](int x, int y) {
      if (image.At(x, y) != colour && !InAny(except, x, y)) {
        ++count;
      }
    });
    std::printf("%ld\n", count);
  } else if (command == "differ" && argc >= 4) {
    const Image other = Load(argv[3]);
    if (other.width != image.width || other.height != image.height) {
      Die("the images differ in size");
    }
    const std::vector<Rect> except = Rects(argc, argv, 4);
    long count = 0;
    ForEachPixel(image, whole, [&](int x, int y) {
      if (image.At(x, y) != other.At(x, y) && !InAny(except, x, y)) {
        ++count;
      }
    });
    std::printf("%ld\n", count);
  } else {
    Die("unknown command or wrong number of arguments: " + command);
  }
  return 0;
}
