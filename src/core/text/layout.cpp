#include "core/text/layout.h"

namespace {

// The pen and pool counters shared by the three placing steps of one question. Without a plan
// it only counts, with no pool limit.
struct TMaquetacion {
    TMaquetacion(const TMetricas& metricas, TPlanPregunta* plan) : Metricas(metricas), Plan(plan) {}

    const TMetricas& Metricas;
    TPlanPregunta* Plan;
    int PlumaX = 0;
    int TopeLinea = 0;
    int EtiquetaActual = 1;
    bool EtiquetaConTexto = false;
    TCuentaMaquetacion Cuenta;

    bool SinEtiqueta() const { return Plan && EtiquetaActual > kTamanoPool; }

    void NuevaLinea() {
        ++EtiquetaActual;
        EtiquetaConTexto = false;
    }

    void AnadeTexto(const std::string& palabra) {
        if (palabra.empty() || SinEtiqueta())
            return;
        if (!EtiquetaConTexto && Plan)
            Plan->Textos.push_back({EtiquetaActual, PlumaX, TopeLinea, ""});
        EtiquetaConTexto = true;
        if (Plan)
            Plan->Textos.back().Texto += palabra;
        Cuenta.Piezas = EtiquetaActual;
        PlumaX += Metricas.AnchoTexto(palabra);
    }

    void PonTexto(const std::string& pieza) {
        if (SinEtiqueta())
            return;
        if (EtiquetaConTexto)
            ++EtiquetaActual;
        if (SinEtiqueta())
            return;
        if (Plan)
            Plan->Textos.push_back({EtiquetaActual, PlumaX, TopeLinea, pieza});
        Cuenta.Piezas = EtiquetaActual;
        PlumaX += Metricas.AnchoTexto(pieza);
        ++EtiquetaActual;
        EtiquetaConTexto = false;
    }

    void PonHueco(const TPiezaTexto& pieza) {
        if (Plan && Cuenta.Huecos >= kTamanoPool)
            return;
        ++Cuenta.Huecos;
        THuecoPlan hueco;
        hueco.X = PlumaX;
        hueco.Y = TopeLinea;
        hueco.LongitudMaxima = pieza.Ancho;
        hueco.Ancho = pieza.Ancho * Metricas.PuntosHueco;
        hueco.YRespuesta = TopeLinea - Metricas.AltoRespuesta;
        PlumaX += hueco.Ancho;
        if (!Plan)
            return;
        hueco.Respuesta = pieza.Texto;
        hueco.Relleno = pieza.Relleno;
        Plan->Huecos.push_back(std::move(hueco));
    }

    void Maqueta(TLectorTexto lector) {
        const int P = Metricas.P;
        PlumaX = 4 * P;
        TopeLinea = 2 * P + Metricas.TopeTema + Metricas.AltoTema;
        TPalabraTexto palabra;
        do {
            lector.Siguiente(palabra);
            if (palabra.Retorno || static_cast<int64_t>(palabra.Largo()) * P + 2 * P + PlumaX >
                                       Metricas.AnchoVentana) {
                PlumaX = 2 * P;
                TopeLinea += (5 * Metricas.H) / 2;
                NuevaLinea();
                if (palabra.Retorno)
                    PlumaX *= 2;
            }
            if (palabra.Retorno || palabra.Piezas.empty())
                continue;
            if (!palabra.ConMarcas) {
                AnadeTexto(palabra.Piezas.front().Texto);
                continue;
            }
            // Pieces beside gaps take a label each; no gap state passes between words.
            for (const TPiezaTexto& pieza : palabra.Piezas) {
                if (pieza.Tipo == TPiezaTexto::TTipo::Hueco)
                    PonHueco(pieza);
                else
                    PonTexto(pieza.Texto);
            }
        } while (!lector.Terminado());
    }
};

// Never wraps a line and measures nothing.
const TMetricas kSinCortes = [] {
    TMetricas metricas;
    metricas.AnchoVentana = 1 << 30;
    metricas.AnchoTexto = [](std::string_view) { return 0; };
    return metricas;
}();

}  // namespace

TPlanPregunta PlanificaPregunta(const TPregunta& pregunta, uint16_t numero,
                                const TMetricas& metricas) {
    TPlanPregunta plan;
    plan.Cabecera = pregunta.Tema + " (Pregunta n\xBA " + std::to_string(numero) + ")";
    TMaquetacion{metricas, &plan}.Maqueta(TLectorTexto(pregunta));
    return plan;
}

TCuentaMaquetacion CuentaMaquetacion(std::string_view texto) {
    TMaquetacion maquetacion{kSinCortes, nullptr};
    maquetacion.Maqueta(TLectorTexto(texto));
    return maquetacion.Cuenta;
}

std::vector<std::string> RespuestasPregunta(const TPregunta& pregunta) {
    std::vector<std::string> respuestas;
    TLectorTexto lector(pregunta.Texto);
    TPalabraTexto palabra;
    while (!lector.Terminado() && respuestas.size() < kTamanoPool) {
        lector.Siguiente(palabra);
        for (const TPiezaTexto& pieza : palabra.Piezas)
            if (pieza.Tipo == TPiezaTexto::TTipo::Hueco && respuestas.size() < kTamanoPool)
                respuestas.push_back(pieza.Texto);
    }
    return respuestas;
}
