// Draws the program's picture and icon: a mass on two springs and a damper
// over a vibrating base, as a clean technical drawing. Writes BITMAP0 as a
// 120 x 130, 32-bit .bmp and ICON0 as a .ico with 16, 32 and 48 pixel images.
// The output is a pure function of this source, so it can be regenerated
// and compared byte for byte.
//
// Usage: resource_generator OUTPUT_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Color {
    std::uint8_t r, g, b, a;
};

constexpr Color transparent{0, 0, 0, 0};
constexpr Color paper{255, 255, 255, 255};
constexpr Color ink{31, 45, 61, 255};
constexpr Color massFill{176, 196, 222, 255};
constexpr Color baseFill{205, 205, 205, 255};
constexpr Color motion{200, 40, 40, 255};

// A picture drawn in units of its own size; shapes are sampled 4 x 4 times
// a pixel so that edges come out smooth.
class Picture {
public:
    Picture(int width, int height, Color background)
        : width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width * height), background) {}

    int width() const { return width_; }
    int height() const { return height_; }
    const Color& at(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y * width_ + x)];
    }

    template <class Inside> void fill(Color color, Inside inside) {
        constexpr int samples = 4;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                int hits = 0;
                for (int sy = 0; sy < samples; ++sy)
                    for (int sx = 0; sx < samples; ++sx)
                        hits += inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples);
                if (hits)
                    blend(pixels_[static_cast<std::size_t>(y * width_ + x)], color,
                          hits / double(samples * samples));
            }
    }

    void rect(double x0, double y0, double x1, double y1, Color color) {
        fill(color, [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
    }

    void line(double x0, double y0, double x1, double y1, double width, Color color) {
        double dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
        double half = width / 2;
        fill(color, [=](double x, double y) {
            double t =
                length2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0) : 0;
            double px = x0 + t * dx - x, py = y0 + t * dy - y;
            return px * px + py * py <= half * half;
        });
    }

    void frame(double x0, double y0, double x1, double y1, double width, Color color) {
        line(x0, y0, x1, y0, width, color);
        line(x1, y0, x1, y1, width, color);
        line(x1, y1, x0, y1, width, color);
        line(x0, y1, x0, y0, width, color);
    }

    void disc(double cx, double cy, double radius, Color color) {
        fill(color, [=](double x, double y) {
            return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
        });
    }

    // Zigzag from (x, top) down to (x, bottom) with the given number of turns.
    void spring(double x, double top, double bottom, double halfWidth, int turns, double width,
                Color color) {
        double lead = (bottom - top) * 0.12;
        double step = (bottom - top - 2 * lead) / (2 * turns);
        line(x, top, x, top + lead, width, color);
        double px = x, py = top + lead;
        for (int i = 0; i < 2 * turns; ++i) {
            double nx = (i == 2 * turns - 1) ? x : x + (i % 2 == 0 ? halfWidth : -halfWidth);
            double ny = py + step;
            if (i == 0)
                ny = py + step / 2, nx = x + halfWidth;
            line(px, py, nx, ny, width, color);
            px = nx, py = ny;
        }
        line(px, py, x, bottom - lead, width, color);
        line(x, bottom - lead, x, bottom, width, color);
    }

private:
    static void blend(Color& under, Color over, double coverage) {
        double a = coverage * over.a / 255.0;
        double outA = a + under.a / 255.0 * (1 - a);
        auto mix = [&](std::uint8_t o, std::uint8_t u) {
            if (outA <= 0)
                return std::uint8_t(0);
            double v = (o * a + u * (under.a / 255.0) * (1 - a)) / outA;
            return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
        };
        under = {mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b),
                 static_cast<std::uint8_t>(std::lround(outA * 255))};
    }

    int width_, height_;
    std::vector<Color> pixels_;
};

// The whole scheme in a 120 x 130 box; `s` scales it for the icon sizes.
void drawScheme(Picture& p, double s, bool detailed, double minLineWidth) {
    double w = std::max(1.4 * s, minLineWidth);
    // The mass.
    p.rect(22 * s, 14 * s, 98 * s, 44 * s, massFill);
    p.frame(22 * s, 14 * s, 98 * s, 44 * s, w, ink);
    if (detailed) {
        // "m" drawn with strokes in the middle of the mass.
        double cx = 60 * s, cy = 29 * s;
        p.line(cx - 7 * s, cy + 5 * s, cx - 7 * s, cy - 3 * s, w, ink);
        p.line(cx - 7 * s, cy - 2 * s, cx - 4 * s, cy - 4 * s, w, ink);
        p.line(cx - 4 * s, cy - 4 * s, cx, cy - 1 * s, w, ink);
        p.line(cx, cy - 1 * s, cx, cy + 5 * s, w, ink);
        p.line(cx, cy - 2 * s, cx + 3 * s, cy - 4 * s, w, ink);
        p.line(cx + 3 * s, cy - 4 * s, cx + 7 * s, cy - 1 * s, w, ink);
        p.line(cx + 7 * s, cy - 1 * s, cx + 7 * s, cy + 5 * s, w, ink);
    }
    // Two springs and, between them, a damper.
    p.spring(36 * s, 44 * s, 92 * s, 7 * s, detailed ? 4 : 2, w, ink);
    p.spring(84 * s, 44 * s, 92 * s, 7 * s, detailed ? 4 : 2, w, ink);
    if (detailed) {
        p.line(60 * s, 44 * s, 60 * s, 62 * s, w, ink);
        p.line(53 * s, 58 * s, 67 * s, 58 * s, w, ink); // piston
        p.line(51 * s, 52 * s, 51 * s, 76 * s, w, ink); // cylinder
        p.line(69 * s, 52 * s, 69 * s, 76 * s, w, ink);
        p.line(51 * s, 76 * s, 69 * s, 76 * s, w, ink);
        p.line(60 * s, 76 * s, 60 * s, 92 * s, w, ink);
    }
    // The base, hatched underneath.
    p.rect(14 * s, 92 * s, 106 * s, 100 * s, baseFill);
    p.frame(14 * s, 92 * s, 106 * s, 100 * s, w, ink);
    if (detailed)
        for (double x = 18; x < 106; x += 8)
            p.line(x * s, 100 * s, (x - 6) * s, 107 * s, 1.0 * s, ink);
    // The excitation: a wave under the base and an arrow both ways.
    double wy = detailed ? 118 * s : 112 * s;
    double amplitude = detailed ? 4 * s : 6 * s;
    double prevX = 20 * s, prevY = wy;
    for (int i = 1; i <= 48; ++i) {
        double x = (20 + i * 80.0 / 48) * s;
        double y = wy - amplitude * std::sin(i * 2 * 3.14159265358979 / 16);
        p.line(prevX, prevY, x, y, w, motion);
        prevX = x, prevY = y;
    }
    if (detailed) {
        p.line(110 * s, 86 * s, 110 * s, 124 * s, w, motion);
        p.line(110 * s, 86 * s, 107 * s, 91 * s, w, motion);
        p.line(110 * s, 86 * s, 113 * s, 91 * s, w, motion);
        p.line(110 * s, 124 * s, 107 * s, 119 * s, w, motion);
        p.line(110 * s, 124 * s, 113 * s, 119 * s, w, motion);
    }
}

void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// BITMAPINFOHEADER and the bottom-up BGRA rows; `heightFactor` 2 for icons,
// whose header counts the mask too.
std::string dib(const Picture& p, int heightFactor, bool withMask) {
    std::string out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(p.width()));
    put32(out, static_cast<std::uint32_t>(p.height() * heightFactor));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // BI_RGB
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = p.height() - 1; y >= 0; --y)
        for (int x = 0; x < p.width(); ++x) {
            const Color& c = p.at(x, y);
            out += static_cast<char>(c.b);
            out += static_cast<char>(c.g);
            out += static_cast<char>(c.r);
            out += static_cast<char>(c.a);
        }
    if (withMask) {
        int rowBytes = ((p.width() + 31) / 32) * 4;
        for (int y = p.height() - 1; y >= 0; --y) {
            std::string row(static_cast<std::size_t>(rowBytes), '\0');
            for (int x = 0; x < p.width(); ++x)
                if (p.at(x, y).a == 0)
                    row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
            out += row;
        }
    }
    return out;
}

std::string bmpFile(const Picture& p) {
    std::string body = dib(p, 1, false);
    std::string out = "BM";
    put32(out, static_cast<std::uint32_t>(14 + body.size()));
    put32(out, 0);
    put32(out, 14 + 40);
    return out + body;
}

std::string icoFile(const std::vector<Picture>& images) {
    std::string out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, static_cast<std::uint32_t>(images.size()));
    std::vector<std::string> bodies;
    for (const Picture& p : images)
        bodies.push_back(dib(p, 2, true));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out += static_cast<char>(images[i].width());
        out += static_cast<char>(images[i].height());
        out += '\0'; // no palette
        out += '\0';
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const std::string& body : bodies)
        out += body;
    return out;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: resource_generator OUTPUT_FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];

    Picture scheme(120, 130, paper);
    drawScheme(scheme, 1.0, true, 0.0);
    scheme.frame(0.5, 0.5, 119.5, 129.5, 1.0, ink);

    std::vector<Picture> icons;
    for (int size : {16, 32, 48}) {
        Picture icon(size, size, transparent);
        // The 120 x 130 scheme squeezed into the square; thin lines would
        // vanish at these sizes.
        drawScheme(icon, size / 124.0, false, size / 20.0);
        icons.push_back(icon);
    }

    if (!writeFile(folder + "/bitmap0.bmp", bmpFile(scheme)) ||
        !writeFile(folder + "/icon0.ico", icoFile(icons))) {
        std::fprintf(stderr, "resource_generator: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
