#pragma once

#include <fstream>
#include <string>

// The process's resident memory now and at its peak, in MB, from /proc (Linux).
struct TMemoriaResidente {
    double Actual = 0;
    double Pico = 0;
};

inline TMemoriaResidente MemoriaResidente() {
    TMemoriaResidente memoria;
    std::ifstream estado("/proc/self/status");
    std::string clave;
    double kb = 0;
    while (estado >> clave) {
        if (clave == "VmRSS:" && estado >> kb)
            memoria.Actual = kb / 1024;
        else if (clave == "VmHWM:" && estado >> kb)
            memoria.Pico = kb / 1024;
    }
    return memoria;
}
