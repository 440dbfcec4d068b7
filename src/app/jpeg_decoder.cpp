#include "jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg's default error handler exits the process; this one jumps back instead.
struct TGestorErrores {
    jpeg_error_mgr base;
    std::jmp_buf salto;
};

[[noreturn]] void SaltaAlError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TGestorErrores*>(info->err)->salto, 1);
}

void SinMensajes(j_common_ptr) {}

// Kept apart from the image's owner: nothing with a destructor lives in the frame that setjmp
// returns to twice.
bool LeeJpeg(const QByteArray& bytes, QImage& imagen) {
    jpeg_decompress_struct info{};
    TGestorErrores gestor{};
    info.err = jpeg_std_error(&gestor.base);
    gestor.base.error_exit = SaltaAlError;
    gestor.base.output_message = SinMensajes;
    if (setjmp(gestor.salto)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    imagen = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGB888);
    if (info.output_components != 3 || imagen.isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW fila = imagen.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &fila, 1);
    }
    jpeg_finish_decompress(&info);
    // libjpeg only warns about truncated or damaged data and fills the rest with grey.
    const bool integra = gestor.base.num_warnings == 0;
    jpeg_destroy_decompress(&info);
    return integra;
}

}  // namespace

QImage DecodificaJpeg(const QByteArray& bytes) {
    QImage imagen;
    if (!LeeJpeg(bytes, imagen)) {
        return {};
    }
    return imagen;
}
