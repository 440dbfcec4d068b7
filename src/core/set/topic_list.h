#pragma once

#include <array>
#include <cstdint>
#include <string>

struct TElemento {
    std::string Nombre;
    bool Seleccionado = false;
};

// At most 200 distinct names, each with a selected flag, in the order they were added.
// Indices count from 1; an index outside 1..Cuenta() reads as empty and changes nothing.
class TLista {
  public:
    static constexpr int32_t kCapacidad = 200;

    void Anade(const std::string& nombre);
    void Vacia();
    // The last element with exactly this name, or -1.
    int32_t Busca(const std::string& nombre) const;
    std::string Nombre(int32_t i) const;
    int32_t Cuenta() const { return NumElementos; }
    void Marca(int32_t i);
    void Desmarca(int32_t i);
    void MarcaTodos();
    bool Marcado(int32_t i) const;
    int32_t CuentaMarcados() const;

  private:
    bool Valido(int32_t i) const { return i >= 1 && i <= NumElementos; }

    int32_t NumElementos = 0;
    std::array<TElemento, kCapacidad + 1> Elementos;  // slot 0 unused
};
