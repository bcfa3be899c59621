// D3DX9 core: the buffer object that D3DX calls hand out.
#pragma once

#include <d3d9.h>

DEFINE_GUID(IID_ID3DXBuffer, 0x8BA5FB08, 0x5195, 0x40E2, 0xAC, 0x58, 0x0D, 0x98, 0x9C, 0x3A, 0x01, 0x02);

struct ID3DXBuffer : IUnknown {
    STDMETHOD_(LPVOID, GetBufferPointer)() PURE;
    STDMETHOD_(DWORD, GetBufferSize)() PURE;

protected:
    ~ID3DXBuffer() = default;
};
typedef ID3DXBuffer* LPD3DXBUFFER;

HRESULT WINAPI D3DXCreateBuffer(DWORD numBytes, LPD3DXBUFFER* buffer);
