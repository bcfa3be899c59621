// D3DX9 meshes and vertex formats.
#pragma once

#include <d3d9.h>
#include <d3dx9core.h>
#include <d3dx9math.h>

// Mesh creation options.
#define D3DXMESH_32BIT 0x001
#define D3DXMESH_DONOTCLIP 0x002
#define D3DXMESH_POINTS 0x004
#define D3DXMESH_RTPATCHES 0x008
#define D3DXMESH_NPATCHES 0x4000
#define D3DXMESH_VB_SYSTEMMEM 0x010
#define D3DXMESH_VB_MANAGED 0x020
#define D3DXMESH_VB_WRITEONLY 0x040
#define D3DXMESH_VB_DYNAMIC 0x080
#define D3DXMESH_VB_SOFTWAREPROCESSING 0x8000
#define D3DXMESH_IB_SYSTEMMEM 0x100
#define D3DXMESH_IB_MANAGED 0x200
#define D3DXMESH_IB_WRITEONLY 0x400
#define D3DXMESH_IB_DYNAMIC 0x800
#define D3DXMESH_IB_SOFTWAREPROCESSING 0x10000
#define D3DXMESH_VB_SHARE 0x1000
#define D3DXMESH_USEHWONLY 0x2000
#define D3DXMESH_SYSTEMMEM 0x110
#define D3DXMESH_MANAGED 0x220
#define D3DXMESH_WRITEONLY 0x440
#define D3DXMESH_DYNAMIC 0x880
#define D3DXMESH_SOFTWAREPROCESSING 0x18000

// OptimizeInplace flags.
#define D3DXMESHOPT_DEVICEINDEPENDENT 0x00400000
#define D3DXMESHOPT_COMPACT 0x01000000
#define D3DXMESHOPT_ATTRSORT 0x02000000
#define D3DXMESHOPT_VERTEXCACHE 0x04000000
#define D3DXMESHOPT_STRIPREORDER 0x08000000
#define D3DXMESHOPT_IGNOREVERTS 0x10000000
#define D3DXMESHOPT_DONOTSPLIT 0x20000000

typedef struct _D3DXATTRIBUTERANGE {
    DWORD AttribId;
    DWORD FaceStart;
    DWORD FaceCount;
    DWORD VertexStart;
    DWORD VertexCount;
} D3DXATTRIBUTERANGE, *LPD3DXATTRIBUTERANGE;

typedef struct _D3DXMATERIAL {
    D3DMATERIAL9 MatD3D;
    LPSTR pTextureFilename;
} D3DXMATERIAL, *LPD3DXMATERIAL;

typedef enum _D3DXEFFECTDEFAULTTYPE {
    D3DXEDT_STRING = 0x1,
    D3DXEDT_FLOATS = 0x2,
    D3DXEDT_DWORD = 0x3,
    D3DXEDT_FORCEDWORD = 0x7fffffff
} D3DXEFFECTDEFAULTTYPE;

typedef struct _D3DXEFFECTDEFAULT {
    LPSTR pParamName;
    D3DXEFFECTDEFAULTTYPE Type;
    DWORD NumBytes;
    LPVOID pValue;
} D3DXEFFECTDEFAULT, *LPD3DXEFFECTDEFAULT;

typedef struct _D3DXEFFECTINSTANCE {
    LPSTR pEffectFilename;
    DWORD NumDefaults;
    LPD3DXEFFECTDEFAULT pDefaults;
} D3DXEFFECTINSTANCE, *LPD3DXEFFECTINSTANCE;

DEFINE_GUID(IID_ID3DXBaseMesh, 0x7ED943DD, 0x52E8, 0x40B5, 0xA8, 0xD8, 0x76, 0x68, 0x5C, 0x40, 0x63, 0x30);
DEFINE_GUID(IID_ID3DXMesh, 0x4020E5C2, 0x1403, 0x4929, 0x88, 0x3F, 0xE2, 0xE8, 0x49, 0xFA, 0xC1, 0x95);

struct ID3DXMesh;
typedef ID3DXMesh* LPD3DXMESH;

struct ID3DXBaseMesh : IUnknown {
    STDMETHOD_(DWORD, GetNumFaces)() PURE;
    STDMETHOD_(DWORD, GetNumVertices)() PURE;
    STDMETHOD_(DWORD, GetFVF)() PURE;
    STDMETHOD_(DWORD, GetNumBytesPerVertex)() PURE;
    STDMETHOD(CloneMeshFVF)(DWORD options, DWORD fvf, LPDIRECT3DDEVICE9 device, LPD3DXMESH* cloneMesh) PURE;
    STDMETHOD(GetVertexBuffer)(LPDIRECT3DVERTEXBUFFER9* vertexBuffer) PURE;
    STDMETHOD(GetIndexBuffer)(LPDIRECT3DINDEXBUFFER9* indexBuffer) PURE;
    STDMETHOD(LockVertexBuffer)(DWORD flags, LPVOID* data) PURE;
    STDMETHOD(UnlockVertexBuffer)() PURE;
    STDMETHOD(LockIndexBuffer)(DWORD flags, LPVOID* data) PURE;
    STDMETHOD(UnlockIndexBuffer)() PURE;
    STDMETHOD(GetAttributeTable)(D3DXATTRIBUTERANGE* attribTable, DWORD* attribTableSize) PURE;

protected:
    ~ID3DXBaseMesh() = default;
};
typedef ID3DXBaseMesh* LPD3DXBASEMESH;

struct ID3DXMesh : ID3DXBaseMesh {
    STDMETHOD(LockAttributeBuffer)(DWORD flags, DWORD** data) PURE;
    STDMETHOD(UnlockAttributeBuffer)() PURE;
    STDMETHOD(OptimizeInplace)(DWORD flags, const DWORD* adjacencyIn, DWORD* adjacencyOut, DWORD* faceRemap,
                               LPD3DXBUFFER* vertexRemap) PURE;

protected:
    ~ID3DXMesh() = default;
};

// Bytes of one vertex of a flexible vertex format.
UINT WINAPI D3DXGetFVFVertexSize(DWORD fvf);

HRESULT WINAPI D3DXLoadMeshFromXInMemory(LPCVOID memory, DWORD sizeOfMemory, DWORD options,
                                         LPDIRECT3DDEVICE9 device, LPD3DXBUFFER* adjacency,
                                         LPD3DXBUFFER* materials, LPD3DXBUFFER* effectInstances,
                                         DWORD* numMaterials, LPD3DXMESH* mesh);
HRESULT WINAPI D3DXLoadMeshFromXW(LPCWSTR filename, DWORD options, LPDIRECT3DDEVICE9 device,
                                  LPD3DXBUFFER* adjacency, LPD3DXBUFFER* materials,
                                  LPD3DXBUFFER* effectInstances, DWORD* numMaterials, LPD3DXMESH* mesh);
#ifdef UNICODE
#define D3DXLoadMeshFromX D3DXLoadMeshFromXW
#endif

HRESULT WINAPI D3DXComputeNormals(LPD3DXBASEMESH mesh, const DWORD* adjacency);
HRESULT WINAPI D3DXComputeBoundingSphere(const D3DXVECTOR3* firstPosition, DWORD numVertices, DWORD stride,
                                         D3DXVECTOR3* center, FLOAT* radius);
