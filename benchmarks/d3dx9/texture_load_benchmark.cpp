// Loading a 1920 x 1080 photograph as the scene does: D3DX_DEFAULT size
// (2048 x 2048), TRIANGLE filter, one level, managed pool. The figures to
// compare with are the bare libjpeg and libpng decodes of the same bytes
// and one resampling pass to the power-of-two size.
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <png.h>

#include <benchmark/benchmark.h>

#include <d3dx9.h>
#include <windows.h>

#include "d3dx9/picture_decoder.h"
#include "d3dx9/pixel_format.h"
#include "d3dx9/resample.h"
#include "benchmark_device.h"
#include "support/photo_files.h"

namespace {

using namespace platform::d3dx9;

using benchmark_pictures::kPhotoHeight, benchmark_pictures::kPhotoWidth, benchmark_pictures::PhotoJpeg,
    benchmark_pictures::PhotoPng;
constexpr UINT kSide = 2048;

// libjpeg's own error handling ends the program: the bytes are known good.
void BareJpegDecode(benchmark::State& state) {
    const auto& file = PhotoJpeg();
    std::vector<BYTE> pixels(size_t{kPhotoWidth} * kPhotoHeight * 3);
    for (auto _ : state) {
        jpeg_decompress_struct decompress{};
        jpeg_error_mgr errors{};
        decompress.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&decompress);
        jpeg_mem_src(&decompress, file.data(), file.size());
        jpeg_read_header(&decompress, TRUE);
        jpeg_start_decompress(&decompress);
        while (decompress.output_scanline < decompress.output_height) {
            JSAMPROW row = pixels.data() + size_t{decompress.output_scanline} * kPhotoWidth * 3;
            jpeg_read_scanlines(&decompress, &row, 1);
        }
        jpeg_finish_decompress(&decompress);
        jpeg_destroy_decompress(&decompress);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BarePngDecode(benchmark::State& state) {
    const auto& file = PhotoPng();
    std::vector<BYTE> pixels(size_t{kPhotoWidth} * kPhotoHeight * 3);
    for (auto _ : state) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, file.data(), file.size());
        image.format = PNG_FORMAT_RGB;
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void OneResamplingPass(benchmark::State& state) {
    Image8 picture(kPhotoWidth, kPhotoHeight);
    Pixels source = picture;
    for (auto _ : state) benchmark::DoNotOptimize(Resample(source, kSide, kSide, D3DX_FILTER_TRIANGLE));
}

// What the loader does on the CPU: decode, resample, store as X8R8G8B8.
void LoaderPipeline(benchmark::State& state, const d3dx9_test::Bytes& file) {
    std::vector<BYTE> texture(size_t{kSide} * kSide * 4);
    for (auto _ : state) {
        Picture picture;
        DecodePicture(file, DecodeDepth::Pixels, picture);
        Pixels scaled = Resample(picture.levels[0], kSide, kSide, D3DX_FILTER_TRIANGLE | D3DX_FILTER_DITHER);
        Pack(scaled, D3DFMT_X8R8G8B8, texture.data(), kSide * 4);
        benchmark::DoNotOptimize(texture.data());
    }
}

// The call as the scene makes it.
void D3dxTextureFromPicture(benchmark::State& state, const d3dx9_test::Bytes& file) {
    static BenchmarkDevice device;
    if (!device.get()) {
        state.SkipWithError("no Direct3D device");
        return;
    }
    for (auto _ : state) {
        D3DXIMAGE_INFO info{};
        IDirect3DTexture9* texture = nullptr;
        HRESULT result = D3DXCreateTextureFromFileInMemoryEx(
            device.get(), file.data(), UINT(file.size()), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
            D3DPOOL_MANAGED, D3DX_FILTER_TRIANGLE, D3DX_FILTER_NONE, 0, &info, nullptr, &texture);
        if (FAILED(result)) {
            state.SkipWithError("the texture was not created");
            return;
        }
        texture->Release();
    }
}

BENCHMARK(BareJpegDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BarePngDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(OneResamplingPass)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoaderPipeline, jpeg, PhotoJpeg())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoaderPipeline, png, PhotoPng())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(D3dxTextureFromPicture, jpeg, PhotoJpeg())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(D3dxTextureFromPicture, png, PhotoPng())->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
