#include "core/text/layout.h"

#include <algorithm>

#include "core/base/folding.h"

namespace {

constexpr char kMarcaHueco = '@';
constexpr char kRetorno = '\r';
constexpr char kBlanco = ' ';

// The pen and pool counters shared by the three placing steps of one question.
struct TMaquetacion {
    const TMetricas& Metricas;
    uint8_t Modo;
    uint8_t AnchoMinimo;
    TPlanPregunta& Plan;
    int PlumaX = 0;
    int TopeLinea = 0;
    int EtiquetaActual = 1;
    int SiguienteHueco = 1;

    // Labels are filled in pool order, so the current one has text exactly when it is the last
    // one listed.
    bool EtiquetaConTexto() const {
        return !Plan.Textos.empty() && Plan.Textos.back().Indice == EtiquetaActual;
    }

    void AnadeTexto(const std::string& palabra) {
        if (palabra.empty() || EtiquetaActual > kTamanoPool)
            return;
        if (!EtiquetaConTexto())
            Plan.Textos.push_back({EtiquetaActual, PlumaX, TopeLinea, ""});
        Plan.Textos.back().Texto += palabra;
        PlumaX += Metricas.AnchoTexto(palabra);
    }

    void PonTexto(const std::string& pieza) {
        if (EtiquetaActual > kTamanoPool)
            return;
        if (EtiquetaConTexto())
            ++EtiquetaActual;
        if (EtiquetaActual > kTamanoPool)
            return;
        Plan.Textos.push_back({EtiquetaActual, PlumaX, TopeLinea, pieza});
        PlumaX += Metricas.AnchoTexto(pieza);
        ++EtiquetaActual;
    }

    void PonHueco(const std::string& respuesta) {
        if (SiguienteHueco > kTamanoPool)
            return;
        const int ancho = std::max(static_cast<int>(respuesta.size()), int{AnchoMinimo});
        THuecoPlan hueco;
        hueco.X = PlumaX;
        hueco.Y = TopeLinea;
        hueco.LongitudMaxima = ancho;
        hueco.Ancho = ancho * Metricas.PuntosHueco;
        hueco.Respuesta = respuesta;
        hueco.YRespuesta = TopeLinea - Metricas.AltoRespuesta;
        if (Modo == 1)
            hueco.Relleno = QuitaAcentos(respuesta);
        PlumaX += hueco.Ancho;
        Plan.Huecos.push_back(std::move(hueco));
        ++SiguienteHueco;
    }

    // Text pieces and gaps alternate, starting outside a gap; no gap state passes between
    // tokens.
    void PonPalabraConHuecos(std::string palabra) {
        bool dentro = false;
        while (!palabra.empty()) {
            const size_t marca = palabra.find(kMarcaHueco);
            const std::string pieza = palabra.substr(0, marca);
            palabra.erase(0, marca == std::string::npos ? marca : marca + 1);
            if (dentro) {
                PonHueco(pieza);
            } else if (!pieza.empty()) {
                PonTexto(pieza);
            }
            dentro = !dentro;
        }
    }
};

}  // namespace

void SiguientePalabra(std::string& resto, std::string& palabra) {
    palabra.clear();
    if (resto.empty())
        return;
    if (resto.front() == kRetorno) {
        resto.erase(0, 1);
        palabra = kRetorno;
        return;
    }
    bool dentro = false;
    size_t i = 0;
    do {
        palabra += resto[i];
        if (resto[i] == kMarcaHueco)
            dentro = !dentro;
        ++i;
    } while (i < resto.size() && !(resto[i] == kBlanco && !dentro) && resto[i] != kRetorno);
    if (i < resto.size() && resto[i] == kRetorno) {
        resto.erase(0, i);
        return;
    }
    resto.erase(0, i + 1);
    palabra += kBlanco;
}

std::string TextoSinRespuestas(std::string_view texto) {
    std::string linea;
    linea.reserve(texto.size());
    bool dentro = false;
    for (const char c : texto) {
        if (c == kMarcaHueco) {
            if (!dentro)
                linea += "___";
            dentro = !dentro;
        } else if (!dentro) {
            linea += c == kRetorno || c == '\n' ? kBlanco : c;
        }
    }
    return linea;
}

TPlanPregunta PlanificaPregunta(const TPregunta& pregunta, uint16_t numero,
                                const TMetricas& metricas) {
    TPlanPregunta plan;
    plan.Cabecera = pregunta.Tema + " (Pregunta n\xBA " + std::to_string(numero) + ")";

    const int P = metricas.P;
    const int avance = (5 * metricas.H) / 2;
    TMaquetacion maquetacion{metricas, pregunta.Modo, pregunta.AnchoMinimo, plan};
    maquetacion.PlumaX = 4 * P;
    maquetacion.TopeLinea = 2 * P + metricas.TopeTema + metricas.AltoTema;

    std::string resto = pregunta.Texto;
    std::string palabra;
    do {
        SiguientePalabra(resto, palabra);
        const bool retorno = palabra.size() == 1 && palabra.front() == kRetorno;
        if (retorno || static_cast<int64_t>(palabra.size()) * P + 2 * P + maquetacion.PlumaX >
                           metricas.AnchoVentana) {
            maquetacion.PlumaX = 2 * P;
            maquetacion.TopeLinea += avance;
            ++maquetacion.EtiquetaActual;
            if (retorno) {
                palabra.clear();
                maquetacion.PlumaX *= 2;
            }
        }
        if (palabra.find(kMarcaHueco) == std::string::npos) {
            maquetacion.AnadeTexto(palabra);
        } else {
            maquetacion.PonPalabraConHuecos(std::move(palabra));
        }
    } while (!resto.empty());
    return plan;
}
