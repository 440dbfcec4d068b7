#include "core/set/topic_list.h"

void TLista::Anade(const std::string& nombre) {
    if (NumElementos >= kCapacidad || Busca(nombre) != -1)
        return;
    ++NumElementos;
    Elementos[NumElementos] = {nombre, false};
}

void TLista::Vacia() {
    for (int32_t i = 1; i <= NumElementos; ++i)
        Elementos[i] = {};
    NumElementos = 0;
}

int32_t TLista::Busca(const std::string& nombre) const {
    int32_t encontrado = -1;
    for (int32_t i = 1; i <= NumElementos; ++i)
        if (Elementos[i].Nombre == nombre)
            encontrado = i;
    return encontrado;
}

std::string TLista::Nombre(int32_t i) const {
    return Valido(i) ? Elementos[i].Nombre : std::string();
}

void TLista::Marca(int32_t i) {
    if (Valido(i))
        Elementos[i].Seleccionado = true;
}

void TLista::Desmarca(int32_t i) {
    if (Valido(i))
        Elementos[i].Seleccionado = false;
}

void TLista::MarcaTodos() {
    for (int32_t i = 1; i <= NumElementos; ++i)
        Elementos[i].Seleccionado = true;
}

bool TLista::Marcado(int32_t i) const {
    return Valido(i) && Elementos[i].Seleccionado;
}

int32_t TLista::CuentaMarcados() const {
    int32_t marcados = 0;
    for (int32_t i = 1; i <= NumElementos; ++i)
        marcados += Elementos[i].Seleccionado ? 1 : 0;
    return marcados;
}
