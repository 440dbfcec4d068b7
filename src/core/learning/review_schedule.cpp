#include "core/learning/review_schedule.h"

void AnotaRespuesta(TProgreso& progreso, uint16_t numero, uint64_t huella,
                    const std::vector<uint8_t>& huecosErroneos, int64_t ahora) {
    TResultadoPregunta& resultado = progreso.Preguntas[numero];
    if (resultado.Huella != huella) {
        // Another record's past is kept for it, not overwritten.
        if (resultado.Huella != 0 || resultado.Visto != 0)
            progreso.Ajenas.push_back({numero, std::move(resultado)});
        resultado = TResultadoPregunta();
        resultado.Huella = huella;
    }
    resultado.Visto = ahora;
    if (!huecosErroneos.empty()) {
        ++resultado.Fallos;
        resultado.HuecosErroneos = huecosErroneos;
        resultado.Caja = 1;
        resultado.Vence = DiaLocal(ahora);
        resultado.TurnoFallo = progreso.TurnosSesion;
    } else {
        ++resultado.Aciertos;
        if (resultado.Caja == 1 ||
            (resultado.Caja > 1 && PreguntaPendiente(progreso, resultado, ahora))) {
            resultado.Caja = resultado.Caja == kCajasRepaso ? 0 : resultado.Caja + 1;
            resultado.Vence = DiaLocal(ahora) + kDiasCaja[resultado.Caja];
            resultado.TurnoFallo = -1;
        }
    }
    ++progreso.TurnosSesion;
}

bool PreguntaPendiente(const TProgreso& progreso, const TResultadoPregunta& resultado,
                       int64_t ahora) {
    if (resultado.Caja == 0)
        return false;
    if (resultado.Caja == 1)
        return resultado.TurnoFallo < 0 ||
               progreso.TurnosSesion - resultado.TurnoFallo > kSeparacionRepaso;
    const int64_t hoy = DiaLocal(ahora);
    // A day further off than any box gives comes from a clock that was wrong: due now.
    return hoy >= resultado.Vence || resultado.Vence - hoy > kDiasCaja[kCajasRepaso];
}

std::vector<uint16_t> PreguntasPendientes(const TProgreso& progreso, int64_t ahora,
                                          const TFiltroPreguntas& filtro) {
    std::vector<uint16_t> pendientes;
    for (const auto& [numero, resultado] : progreso.Preguntas)
        if (PreguntaPendiente(progreso, resultado, ahora) && (!filtro || filtro(numero)))
            pendientes.push_back(numero);
    return pendientes;
}

int CuentaPendientes(const TProgreso& progreso, int64_t ahora, const TFiltroPreguntas& filtro) {
    return static_cast<int>(PreguntasPendientes(progreso, ahora, filtro).size());
}

uint16_t SiguientePendiente(const TProgreso& progreso, int64_t ahora, uint16_t actual,
                            const TFiltroPreguntas& filtro) {
    const auto pendiente = [&](const auto& entrada) {
        return PreguntaPendiente(progreso, entrada.second, ahora) &&
               (!filtro || filtro(entrada.first));
    };
    for (auto i = progreso.Preguntas.upper_bound(actual); i != progreso.Preguntas.end(); ++i)
        if (pendiente(*i))
            return i->first;
    for (auto i = progreso.Preguntas.begin(); i != progreso.Preguntas.end() && i->first <= actual;
         ++i)
        if (pendiente(*i))
            return i->first;
    return 0;
}

TFinRepaso ResumeFinRepaso(const TProgreso& progreso, int64_t ahora,
                           const TFiltroPreguntas& filtro) {
    TFinRepaso fin;
    for (const auto& [numero, resultado] : progreso.Preguntas) {
        if (resultado.Caja == 0 || (filtro && !filtro(numero)))
            continue;
        if (PreguntaPendiente(progreso, resultado, ahora))
            ++fin.Pendientes;
        else if (resultado.Caja == 1)
            ++fin.EnEspera;
        else if (fin.ProximoDia == 0 || resultado.Vence < fin.ProximoDia)
            fin.ProximoDia = resultado.Vence;
    }
    return fin;
}

void CierraSesionProgreso(TProgreso& progreso, int64_t ahora, int32_t contestadas,
                          int32_t acertadas) {
    progreso.Sesiones.emplace_back(ahora, contestadas, acertadas);
}
