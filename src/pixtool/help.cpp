// What pixtool and each of its commands do, every option with an example.
#include "pixtool/help.h"

namespace pixtool {

namespace {

constexpr const char* kOverview =
    R"(pixtool - pix files of the pixed editor to and from PNG, with the editor's palette

A pix file holds raw palette indices, one image after another, with no header:
its image size is not in it, so every command needs --size WIDTHxHEIGHT.

Commands:
  pixtool info FILE --size WxH
      how many images FILE holds and the palette indices each one uses
  pixtool export FILE --size WxH [--image N | --all] [--sheet COLUMNS] [--scale K] -o OUT.png
      images as an indexed PNG with the editor's 256 colours (index i stays i)
  pixtool import IN.png --size WxH [--sheet COLUMNS] [--scale K]
                 (--append FILE | --into FILE --image N) [--allow-any-index]
      a PNG as an image of FILE, or a sprite sheet as its images, written safely
      (the file is replaced only when complete)

  pixtool COMMAND --help    every option of COMMAND, with examples
  pixtool --version         the version of pixtool

Exit status: 0 done, 1 failed (one line on standard error says why), 2 usage error.

Example:
  pixtool export sprites.pix --size 16x16 --all --sheet 4 --scale 2 -o sheet.png
  pixtool import sheet.png --size 16x16 --sheet 4 --scale 2 --into sprites.pix --image 0
)";

constexpr const char* kInfo = R"(pixtool info FILE --size WxH

Prints how many whole images of WxH the pix file FILE holds, how many bytes are
left over after the last whole one, and for each image the palette indices it
uses. Indices above 80 are flagged: the editor's palette panel cannot pick them.

  --size WxH   the image width and height in pixels, each 1 to 4096, as the
               editor's settings menu has them (the editor starts at 102x78)

Example:
  pixtool info sprites.pix --size 16x16
)";

constexpr const char* kExport =
    R"(pixtool export FILE --size WxH [--image N | --all] [--sheet COLUMNS] [--scale K] -o OUT.png

Writes images of the pix file FILE as an 8-bit indexed PNG carrying the
editor's full 256-colour palette: index i of the file is index i of the PNG,
so an image program that keeps the palette gives back exactly the same bytes.

  --size WxH       the image width and height in pixels, each 1 to 4096
  --image N        export image N (counting from 0); the default is image 0
  --all            export every whole image of the file
  --sheet COLUMNS  lay the images out as a sprite sheet, COLUMNS images to a
                   row, with a 1-pixel gap of index 0 (black) between them;
                   without it --all puts every image in one row
  --scale K        enlarge every pixel to K x K pixels (1 to 64; gaps stay 1)
  -o OUT.png       the PNG to write; "-o -" writes it to standard output.
                   An existing OUT.png is replaced only once the new one is complete.

Examples:
  pixtool export sprites.pix --size 16x16 --image 3 -o sprite3.png
  pixtool export sprites.pix --size 16x16 --all --sheet 8 --scale 4 -o sheet.png
  pixtool export sprites.pix --size 16x16 --image 0 -o - | display -
)";

constexpr const char* kImport =
    R"(pixtool import IN.png --size WxH [--sheet COLUMNS] [--scale K]
               (--append FILE | --into FILE --image N) [--allow-any-index]

Reads IN.png, which must be exactly WxH pixels (times K with --scale), and
writes it as one image of the pix file FILE; with --sheet, reads a sprite sheet
laid out as export --sheet writes it and writes each of its images, in order.
FILE is written as a new file beside it and renamed over it only when
complete, keeping its permissions: on any failure it stays as it was.

An indexed PNG whose palette shows the editor's colours (as pixtool export
writes it) is taken index for index. Any other PNG - RGB, RGBA, grey, or
indexed with a palette of its own - is taken by colour: every pixel becomes
the palette-panel swatch the editor's save would give it (an exact colour
gives the editor's own index, so white becomes 80), else the nearest swatch,
and pixtool says how many pixels changed colour. Pixels that are not opaque
are laid on black first.

  --size WxH         the image width and height in pixels, each 1 to 4096
  --sheet COLUMNS    IN.png is a sprite sheet of rows of at most COLUMNS
                     images, a 1-pixel gap between them (not read): one row of
                     fewer images, or full rows with empty cells of index 0
                     (black) after the last image, which are left out. A sheet
                     whose size fits no such layout is refused with the sizes
                     that would fit. pixtool says how many images it took
  --scale K          every image pixel is K x K pixels of IN.png (1 to 64); of
                     each, the top-left pixel is taken
  --append FILE      add the image (or the images) after the last image of FILE
                     (a missing FILE is started)
  --into FILE        write over an image slot of FILE, which must exist ...
  --image N          ... image N (counting from 0), and a sheet's images over
                     N + 1, N + 2, ...; past the end of FILE the gap is filled
                     with zeros, as the editor's offset save does
  --allow-any-index  take indices above 80 from an indexed PNG as they are
                     (the palette panel cannot pick them; refused without it)

Examples:
  pixtool import hero.png --size 16x16 --append sprites.pix
  pixtool import hero.png --size 16x16 --into sprites.pix --image 3
  pixtool import sheet.png --size 16x16 --sheet 8 --scale 4 --append more.pix
  pixtool import sheet.png --size 16x16 --sheet 8 --scale 4 --into sprites.pix --image 0
)";

}  // namespace

const char* HelpText(Command command) {
  switch (command) {
    case Command::Info:
      return kInfo;
    case Command::Export:
      return kExport;
    case Command::Import:
      return kImport;
    case Command::None:
      break;
  }
  return kOverview;
}

}  // namespace pixtool
