// Reads screenshots (PNG, any colour type) for the real-program checks and answers one question each.
//
// Usage:
//   screen_probe size FILE                                  -> "800x600"
//   screen_probe colours FILE LEFT TOP WIDTH HEIGHT         -> the distinct colours, "RRGGBB ..." sorted
//   screen_probe hash FILE LEFT TOP WIDTH HEIGHT            -> a hash of the rectangle's pixels
//   screen_probe runs FILE LEFT TOP WIDTH HEIGHT
//       -> the runs of one colour along the rectangle's pixels, row by row: "RRGGBB:LENGTH ..."
//          (a row or a column of the screen: how wide its cells and lines are)
//   screen_probe others FILE RRGGBB [LEFT TOP WIDTH HEIGHT]...
//       -> how many pixels are not RRGGBB, outside every rectangle given
//   screen_probe differ FILE FILE [LEFT TOP WIDTH HEIGHT]...
//       -> how many pixels differ between the two images, outside every rectangle given
//   screen_probe checker FILE LEFT TOP NUM DEN VIEW_LEFT VIEW_TOP VIEW_WIDTH VIEW_HEIGHT
//       -> for a window showing the editor's screen from (LEFT, TOP) at NUM / DEN times, with a
//          one-pixel checkerboard (white where x + y is even) in the view rectangle of the screen:
//          "COUNT WORST X Y FOUND EXPECTED", the window pixels lying wholly on the view, and the one
//          whose brightness is furthest from 255 times the share of white it covers
// Exits with 2 and a message on a bad argument or an unreadable file; rectangles are clipped to the image.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
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

// The share of [x0, x1) x [y0, y1) (screen coordinates) on white squares of the checkerboard.
double WhiteShare(double x0, double x1, double y0, double y1) {
  double white = 0;
  for (long y = static_cast<long>(std::floor(y0)); y < y1; ++y) {
    const double h = std::min(y1, y + 1.0) - std::max(y0, static_cast<double>(y));
    for (long x = static_cast<long>(std::floor(x0)); x < x1; ++x) {
      const double w = std::min(x1, x + 1.0) - std::max(x0, static_cast<double>(x));
      if ((x + y) % 2 == 0) {
        white += w * h;
      }
    }
  }
  return white / ((x1 - x0) * (y1 - y0));
}

void Checker(const Image& image, int argc, char** argv) {
  const int left = Number(argv[3]);
  const int top = Number(argv[4]);
  const double num = Number(argv[5]);
  const double den = Number(argv[6]);
  const Rect view = Rects(argc, argv, 7)[0];
  if (num <= 0 || den <= 0) {
    Die("the scale must be positive");
  }
  long count = 0;
  double worst = -1;
  int worstX = 0;
  int worstY = 0;
  double worstFound = 0;
  double worstExpected = 0;
  ForEachPixel(image, {0, 0, image.width, image.height}, [&](int x, int y) {
    const double x0 = (x - left) * den / num;
    const double x1 = (x + 1 - left) * den / num;
    const double y0 = (y - top) * den / num;
    const double y1 = (y + 1 - top) * den / num;
    if (x0 < view.left || y0 < view.top || x1 > view.left + view.width || y1 > view.top + view.height) {
      return;
    }
    const std::uint32_t colour = image.At(x, y);
    const double found = ((colour >> 16) + ((colour >> 8) & 0xFF) + (colour & 0xFF)) / 3.0;
    const double expected = 255 * WhiteShare(x0, x1, y0, y1);
    ++count;
    if (std::fabs(found - expected) > worst) {
      worst = std::fabs(found - expected);
      worstX = x;
      worstY = y;
      worstFound = found;
      worstExpected = expected;
    }
  });
  std::printf("%ld %.0f %d %d %.0f %.0f\n", count, worst, worstX, worstY, worstFound, worstExpected);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    Die("usage: screen_probe size|colours|hash|runs|others|differ|checker FILE ...");
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
  } else if (command == "runs" && argc == 7) {
    std::vector<std::pair<std::uint32_t, long>> runs;
    ForEachPixel(image, Rects(argc, argv, 3)[0], [&](int x, int y) {
      if (runs.empty() || runs.back().first != image.At(x, y)) {
        runs.emplace_back(image.At(x, y), 0);
      }
      ++runs.back().second;
    });
    std::string line;
    for (const auto& [colour, length] : runs) {
      char word[24];
      std::snprintf(word, sizeof word, "%s%06X:%ld", line.empty() ? "" : " ", colour, length);
      line += word;
    }
    std::printf("%s\n", line.c_str());
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
  } else if (command == "checker" && argc == 11) {
    Checker(image, argc, argv);
  } else {
    Die("unknown command or wrong number of arguments: " + command);
  }
  return 0;
}
