// png_file.cpp: PNG files written with libpng, straight to a file descriptor, the reason for
// a failed write kept for the caller to say.
#include "media/png_file.h"

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <vector>

namespace {

struct Sink {
    int fd;
    int error;  // the system's reason a write failed; 0 while none did
};

void writeBytes(png_structp png, png_bytep data, size_t length) {
    Sink* sink = static_cast<Sink*>(png_get_io_ptr(png));
    while (length > 0) {
        const ssize_t n = write(sink->fd, data, length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            sink->error = n < 0 ? errno : EIO;
            png_error(png, "write failed");
        }
        data += n;
        length -= size_t(n);
    }
}
void flushNothing(png_structp) {}  // nothing is buffered on this side of the descriptor
// libpng's own handlers print on stderr: the caller says once why a write failed.
void stop(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignore(png_structp, png_const_charp) {}

// Only plain locals here: libpng's errors longjmp back into this function, past any destructor.
bool encode(png_structp png, png_infop info, Sink* sink, png_bytepp rows, i32 width, i32 height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, sink, writeBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // The fastest deflate level, and one filter instead of trying all five on every row: on
    // the game's pictures Up's files are within 5% of the five's in well under their time, and
    // the write takes a quarter of the time of libpng's default (level 6, all five filters)
    // for files a quarter larger.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_buffer_size(png, 1 << 18);  // fewer, larger writes
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

int writePng(int fd, const u8* rgb, i32 width, i32 height) {
    if (width <= 0 || height <= 0 || width > PNG_MAX_SIDE || height > PNG_MAX_SIDE) return EINVAL;
    std::vector<png_bytep> rows;
    try {
        rows.resize(size_t(height));
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
    for (i32 y = 0; y < height; ++y) rows[size_t(y)] = const_cast<png_bytep>(rgb + size_t(y) * size_t(width) * 3);
    Sink sink{fd, 0};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, stop, ignore);
    if (png == nullptr) return ENOMEM;
    png_infop info = png_create_info_struct(png);
    const bool ok = info != nullptr && encode(png, info, &sink, rows.data(), width, height);
    png_destroy_write_struct(&png, &info);
    // Anything else libpng gives up on is memory it could not get.
    return ok ? 0 : sink.error != 0 ? sink.error : ENOMEM;
}
