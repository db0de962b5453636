#pragma once

#include <objbase.h>

// COM on the calling thread, apartment-threaded, for as long as this lives.
// The shell-link object cannot be created on a thread without it.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    // S_FALSE (already initialised here) also counts and must be balanced.
    ~ComApartment() {
        if (initialized_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};
