// What pixtool and each of its commands do, every option with an example.
#include "pixtool/help.h"

namespace pixtool {

namespace {

constexpr const char* kOverview =
    R"(pixtool - pixed's pix files to and from PNG, as animated GIF, and its palette

A pix file holds raw palette indices, one image after another, with no header:
its image size is not in it, so every command that reads one needs --size
WIDTHxHEIGHT. Without --size, pixtool takes the size that the editor keeps in
the current folder's SaveSize.dat, and says so on standard error.

The colours are the editor's 256, with the colours of the current folder's
Palette.gpl over entries 0, 1, 2, ... when it has one, as the editor starts
with them; export, import and palette then say so on standard error.
--palette FILE names another palette file (.gpl, .pal, .act or .hex).

Commands (the options of each: pixtool COMMAND --help):
  pixtool info FILE [--size WxH]
      how many images FILE holds and the palette indices each one uses
  pixtool export FILE [options] -o OUT.png [--json OUT.json]
      images as an indexed PNG with the editor's 256 colours (index i stays i),
      or as a sprite sheet with its frames' rectangles as JSON for game engines
  pixtool export FILE [options] -o OUT.gif
      the images as one looping animated GIF in the editor's 256 colours
  pixtool import IN.png [options] (--append FILE | --into FILE --image N)
      a PNG as an image of FILE, or a sprite sheet as its images
  pixtool delete FILE [--size WxH] --image N
      takes image N out of FILE; the images after it move up
  pixtool palette [--from FILE] -o OUT [--format gpl|pal|act|hex]
      the 256 colours as a GIMP, JASC or Adobe palette or a hex list; with
      --from, a game's palette (or a PNG's colours) as the folder's Palette.gpl

  pixtool COMMAND --help    every option of COMMAND, with examples
  pixtool --version         the version of pixtool

A file that pixtool writes is written as a new file beside it and renamed over
it only when complete: on any failure the old file stays as it was.

Exit status: 0 done, 1 failed (one line on standard error says why), 2 usage error.

Examples:
  pixtool export sprites.pix --size 16x16 --all --sheet 4 --scale 2 -o sheet.png
  pixtool import sheet.png --size 16x16 --sheet 4 --scale 2 --into sprites.pix --image 0
  pixtool export walk.pix --size 16x16 --all --fps 8 --scale 4 -o walk.gif
  pixtool palette --from game.pal -o Palette.gpl
)";

constexpr const char* kInfo = R"(pixtool info FILE [--size WxH]

Prints how many whole images of WxH the pix file FILE holds, how many bytes are
left over after the last whole one, and for each image the palette indices it
uses. Indices above 80 are flagged: the editor's palette panel cannot pick them.

  --size WxH   the image width and height in pixels, each 1 to 4096, as the
               editor's settings menu has them (the editor starts at 102x78);
               without it, the size in the current folder's SaveSize.dat

Example:
  pixtool info sprites.pix --size 16x16
)";

constexpr const char* kExport =
    R"(pixtool export FILE [--size WxH] [--image N | --all [--from A] [--to B]]
               [--sheet COLUMNS] [--scale K] -o OUT.png
               [--json OUT.json [--fps N]] [--palette FILE]
pixtool export FILE [--size WxH] [--image N | --all [--from A] [--to B]]
               [--fps N] [--scale K] -o OUT.gif [--palette FILE]

Writes images of the pix file FILE as an 8-bit indexed PNG carrying the
editor's full 256-colour palette: index i of the file is index i of the PNG,
so an image program that keeps the palette gives back exactly the same bytes.
With -o OUT.gif (a name ending in .gif) it writes them as one animated GIF
that loops for ever, every image a frame shown for the same time, in the same
256 colours index for index.

  --size WxH       the image width and height in pixels, each 1 to 4096;
                   without it, the size in the current folder's SaveSize.dat
  --image N        export image N (counting from 0); the default is image 0
  --all            export every whole image of the file, in order, or ...
  --from A         ... from image A on (the default 0) ...
  --to B           ... up to image B (the default the last), B included
  --sheet COLUMNS  lay the images out in a PNG as a sprite sheet, COLUMNS
                   images to a row, with a 1-pixel gap of index 116 between
                   them: magenta, a colour the editor never paints, which the
                   empty cells after the last image show too; without it --all
                   puts every image in one row
  --scale K        enlarge every pixel to K x K pixels (1 to 64; gaps stay 1)
  --fps N          the GIF's rate, N images a second (1 to 50; the default 10),
                   and the duration that --json gives every frame. A GIF counts
                   time in hundredths of a second: each frame is shown for 100/N
                   hundredths, rounded to the nearest, a half up (at 8 a second,
                   13/100 s, so 7.7 a second). The JSON's durations are 1000/N
                   ms, rounded the same way
  -o OUT.png       the PNG to write; "-o -" writes it to standard output
  -o OUT.gif       the GIF to write. An existing OUT is replaced only once the
                   new file is complete
  --json OUT.json  write beside the PNG its frames in the JSON array form that
                   game engines import from sprite-sheet editors: "frames", for
                   each image its "filename" (FILE's name without extension, an
                   underscore and the image number: sprites_3), its "frame" (x,
                   y, w, h: its cell in the PNG, in the PNG's pixels) and its
                   "duration" in ms; "meta" with the PNG's file name ("image",
                   as seen from the JSON's folder) and "size" (w, h)
  --palette FILE   the colours of FILE over entries 0, 1, 2, ... of the
                   editor's (a .gpl, .pal, .act or .hex file); without it,
                   those of the current folder's Palette.gpl when there is one;
                   "--palette built-in" takes the editor's own colours alone

Examples:
  pixtool export sprites.pix --size 16x16 --image 3 -o sprite3.png
  pixtool export sprites.pix --size 16x16 --all --sheet 8 -o s.png --json s.json
  pixtool export walk.pix --size 16x16 --all --from 4 --to 11 --fps 8 -o a.gif
  pixtool export sprites.pix --size 16x16 --image 0 -o - | display -
)";

constexpr const char* kImport =
    R"(pixtool import IN.png [--size WxH] [--sheet COLUMNS] [--scale K]
               (--append FILE | --into FILE --image N) [--allow-any-index]
               [--palette FILE]

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
are laid on black first. The swatches are entries 0 to 80 of the colours in
force: with a palette file (Palette.gpl, or --palette), its colours.

  --size WxH         the image width and height in pixels, each 1 to 4096;
                     without it, the size in the current folder's SaveSize.dat
  --sheet COLUMNS    IN.png is a sprite sheet of rows of at most COLUMNS
                     images, a 1-pixel gap between them (not read): one row of
                     fewer images, or full rows with empty cells after the
                     last image, which are left out. An empty cell is wholly
                     of the gap's colour: magenta (index 116) as export writes
                     it, or black in a sheet whose gap is black, as earlier
                     versions of pixtool wrote it. A sheet whose size fits no
                     such layout is refused with the sizes that would fit.
                     pixtool says how many images it took
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
  --palette FILE     the colours of FILE over entries 0, 1, 2, ... of the
                     editor's; without it, those of the current folder's
                     Palette.gpl when there is one ("built-in": the editor's
                     own colours alone)

Examples:
  pixtool import hero.png --size 16x16 --append sprites.pix
  pixtool import hero.png --size 16x16 --into sprites.pix --image 3
  pixtool import sheet.png --size 16x16 --sheet 8 --scale 4 --append more.pix
  pixtool import sheet.png --size 16x16 --sheet 8 --scale 4 --into sprites.pix --image 0
)";

constexpr const char* kDelete = R"(pixtool delete FILE [--size WxH] --image N

Takes image N out of the pix file FILE: the images after it move up by one,
so image N + 1 becomes image N, and the file is one image shorter. Bytes after
the last whole image (the start of an image, when the file's length is not a
whole number of images) stay at its end as they are. FILE is written as a new
file beside it and renamed over it only when complete, keeping its
permissions. An image that FILE does not hold whole is refused, and FILE is
left as it was.

  --size WxH   the image width and height in pixels, each 1 to 4096;
               without it, the size in the current folder's SaveSize.dat
  --image N    the image to take out, counting from 0

Example:
  pixtool delete sprites.pix --size 16x16 --image 4
)";

constexpr const char* kPalette =
    R"(pixtool palette [--from FILE | --palette FILE] -o OUT [--format gpl|pal|act|hex]

Writes the 256 colours pixtool works in as a palette file, entry i the colour
of palette index i, so that another paint program draws in the editor's
colours and keeps an indexed image's indices. Entries 0 to 80 are the colours
of the palette panel's swatches; 81 to 255 are the editor's other colours. The
colours of a palette file (--from, --palette, else the current folder's
Palette.gpl) take the place of entries 0, 1, 2, ... in order. Without
--format, the extension of OUT says which form: .gpl, .pal, .act or .hex.

With --from and -o Palette.gpl in the editor's working folder, a game's
palette becomes the editor's: it starts with those colours, and pixtool's
commands in that folder use them.

  --from FILE     the colours to write: a palette file (GIMP .gpl, JASC .pal,
                  Adobe .act of 768 or 772 bytes, hex list .hex; its bytes say
                  which where its name does not), or a PNG, whose colours are
                  taken in the order of their first use (at most 256), over
                  the editor's own
  --palette FILE  a palette file over the editor's colours, as for export;
                  "built-in" for the editor's own colours alone
  -o OUT          the file to write, replaced only once the new one is
                  complete; "-o -" writes to standard output (with --format)
  --format gpl    a GIMP palette (GIMP, Krita, Inkscape), with the colours'
                  names where the palette file gave them
  --format pal    a JASC palette (Paint Shop Pro), with CR LF line ends
  --format act    an Adobe colour table (Photoshop): 768 bytes, the red, green
                  and blue of each entry, and no count after them, as all 256
                  entries count
  --format hex    a hex list, one rrggbb a line, as palette sites give them

A palette file holds at most 256 colours; one that cannot be read is refused
with the line at fault, and nothing is written.

Examples:
  pixtool palette -o pixed.gpl
  pixtool palette --palette built-in --format act -o pixed-colours
  pixtool palette --from game.pal -o Palette.gpl
  pixtool palette --from swatches.png -o Palette.gpl)";

}  // namespace

const char* HelpText(Command command) {
  switch (command) {
    case Command::Info:
      return kInfo;
    case Command::Export:
      return kExport;
    case Command::Import:
      return kImport;
    case Command::Delete:
      return kDelete;
    case Command::Palette:
      return kPalette;
    case Command::None:
      break;
  }
  return kOverview;
}

}  // namespace pixtool
