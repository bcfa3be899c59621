#include "scene/document/reader_registry.h"

// Created on first use, so a class registering itself during static
// initialisation never meets a registry that does not exist yet.
ReaderRegistry<KV_2D_Light>& GetLightReaderRegistry() {
    static ReaderRegistry<KV_2D_Light> registry;
    return registry;
}

ReaderRegistry<KV_SlideContainer>& GetSlideReaderRegistry() {
    static ReaderRegistry<KV_SlideContainer> registry;
    return registry;
}

ReaderRegistry<KV_ABObj_Constructor>& GetConstructorReaderRegistry() {
    static ReaderRegistry<KV_ABObj_Constructor> registry;
    return registry;
}
