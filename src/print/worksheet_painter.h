#pragma once

#include <string>
#include <vector>

#include "core/authoring/worksheet.h"

class QPagedPaintDevice;

// Lays out and paints a worksheet on a printer or a PDF, A4, with embedded fonts.
void PintaHoja(const std::vector<TPregunta>& preguntas, const TOpcionesHoja& opciones,
               QPagedPaintDevice& dispositivo);
// The worksheet as the bytes of a PDF file.
std::string PdfDeHoja(const std::vector<TPregunta>& preguntas, const TOpcionesHoja& opciones);
