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
#include "platform/d3dx9/picture_files.h"

namespace {

using namespace platform::d3dx9;

constexpr UINT kWidth = 1920, kHeight = 1080, kSide = 2048;

// Smooth gradients with fine detail, like a photograph.
d3dx9_test::Bytes PhotoSamples() {
    d3dx9_test::Bytes samples(size_t{kWidth} * kHeight * 3);
    for (UINT y = 0; y < kHeight; ++y) {
        for (UINT x = 0; x < kWidth; ++x) {
            BYTE* p = &samples[(size_t{y} * kWidth + x) * 3];
            p[0] = BYTE(x * 255 / kWidth);
            p[1] = BYTE(y * 255 / kHeight);
            p[2] = BYTE((x * 7 + y * 13 + (x * y) % 17) & 0xFF);
        }
    }
    return samples;
}

const d3dx9_test::Bytes& Jpeg() {
    static const d3dx9_test::Bytes file = [] {
        d3dx9_test::JpegPicture picture{kWidth, kHeight, false, false, PhotoSamples()};
        return d3dx9_test::EncodeJpeg(picture);
    }();
    return file;
}

const d3dx9_test::Bytes& Png() {
    static const d3dx9_test::Bytes file = [] {
        d3dx9_test::PngPicture picture;
        picture.width = kWidth;
        picture.height = kHeight;
        picture.colourType = PNG_COLOR_TYPE_RGB;
        picture.rows = PhotoSamples();
        return d3dx9_test::EncodePng(picture);
    }();
    return file;
}

// libjpeg's own error handling ends the program: the bytes are known good.
void BareJpegDecode(benchmark::State& state) {
    const auto& file = Jpeg();
    std::vector<BYTE> pixels(size_t{kWidth} * kHeight * 3);
    for (auto _ : state) {
        jpeg_decompress_struct decompress{};
        jpeg_error_mgr errors{};
        decompress.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&decompress);
        jpeg_mem_src(&decompress, file.data(), file.size());
        jpeg_read_header(&decompress, TRUE);
        jpeg_start_decompress(&decompress);
        while (decompress.output_scanline < decompress.output_height) {
            JSAMPROW row = pixels.data() + size_t{decompress.output_scanline} * kWidth * 3;
            jpeg_read_scanlines(&decompress, &row, 1);
        }
        jpeg_finish_decompress(&decompress);
        jpeg_destroy_decompress(&decompress);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BarePngDecode(benchmark::State& state) {
    const auto& file = Png();
    std::vector<BYTE> pixels(size_t{kWidth} * kHeight * 3);
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
    Image8 picture(kWidth, kHeight);
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
BENCHMARK_CAPTURE(LoaderPipeline, jpeg, Jpeg())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoaderPipeline, png, Png())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(D3dxTextureFromPicture, jpeg, Jpeg())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(D3dxTextureFromPicture, png, Png())->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
