#include "d3dx9/xfile/x_geometry.h"

#include <cfloat>
#include <cmath>
#include <unordered_map>

namespace platform::d3dx9 {
namespace {

constexpr DWORD kNoMaterial = 0xFFFFFFFF;
constexpr DWORD kUnset = 0xFFFFFFFF;

// The flattened values of one object, read in template order.
class Values {
public:
    explicit Values(const std::vector<double>& numbers) : numbers_(numbers) {}

    size_t left() const { return numbers_.size() - at_; }

    bool Count(DWORD& out) {
        if (at_ == numbers_.size()) return false;
        const double value = numbers_[at_++];
        if (!(value >= 0 && value <= 4294967295.0) || value != std::floor(value)) return false;
        out = DWORD(value);
        return true;
    }
    // An index below the limit.
    bool Index(DWORD limit, DWORD& out) { return Count(out) && out < limit; }

    bool Float(FLOAT& out) {
        if (at_ == numbers_.size()) return false;
        const double value = numbers_[at_++];
        if (std::fabs(value) > FLT_MAX) return false;
        out = FLOAT(value);
        return true;
    }
    bool Floats(FLOAT* out, int count) {
        for (int i = 0; i < count; ++i)
            if (!Float(out[i])) return false;
        return true;
    }

private:
    const std::vector<double>& numbers_;
    size_t at_ = 0;
};

struct Face {
    size_t firstCorner;
    DWORD cornerCount;
};

class Builder {
public:
    Builder(const XDocument& document, XGeometry& geometry) : document_(document), geometry_(geometry) {}

    HRESULT Build() {
        D3DXMATRIX identity;
        D3DXMatrixIdentity(&identity);
        for (size_t top : document_.top) {
            const XObject& object = document_.objects[top];
            if (object.type == "Mesh" && !AddMesh(object, identity)) return D3DXERR_INVALIDDATA;
            if (object.type == "Frame" && !AddFrame(object, identity)) return D3DXERR_INVALIDDATA;
        }
        if (meshes_ == 0 || geometry_.indices.empty()) return D3DXERR_LOADEDMESHHASNODATA;
        AssignDefaultMaterial();
        return D3D_OK;
    }

private:
    // The object a child names, or null.
    const XObject* Resolve(const XObject::Child& child) const {
        const size_t index = child.object == XObject::kReference ? document_.Find(child.reference) : child.object;
        return index == XObject::kReference ? nullptr : &document_.objects[index];
    }

    const XObject* FirstChild(const XObject& object, const char* type) const {
        for (const auto& child : object.children)
            if (child.object != XObject::kReference && document_.objects[child.object].type == type)
                return &document_.objects[child.object];
        return nullptr;
    }

    bool AddFrame(const XObject& frame, const D3DXMATRIX& parent) {
        D3DXMATRIX local;
        D3DXMatrixIdentity(&local);
        if (const XObject* transform = FirstChild(frame, "FrameTransformMatrix")) {
            Values values(transform->numbers);
            if (!values.Floats(&local.m[0][0], 16)) return false;
        }
        D3DXMATRIX world;
        D3DXMatrixMultiply(&world, &local, &parent);
        for (const auto& child : frame.children) {
            // Frames are nested, never referenced, so a frame cannot
            // contain itself.
            if (child.object != XObject::kReference && document_.objects[child.object].type == "Frame") {
                if (!AddFrame(document_.objects[child.object], world)) return false;
                continue;
            }
            const XObject* object = Resolve(child);
            if (object && object->type == "Mesh" && !AddMesh(*object, world)) return false;
        }
        return true;
    }

    bool AddMesh(const XObject& mesh, const D3DXMATRIX& world) {
        ++meshes_;
        Values values(mesh.numbers);
        DWORD vertexCount = 0;
        if (!values.Count(vertexCount) || vertexCount > values.left() / 3) return false;
        std::vector<D3DXVECTOR3> positions(vertexCount);
        for (auto& position : positions)
            if (!values.Floats(&position.x, 3)) return false;
        DWORD faceCount = 0;
        if (!values.Count(faceCount) || faceCount > values.left() / 4) return false;
        std::vector<Face> faces(faceCount);
        std::vector<DWORD> corners;
        for (auto& face : faces) {
            if (!values.Count(face.cornerCount) || face.cornerCount < 3 || face.cornerCount > values.left())
                return false;
            face.firstCorner = corners.size();
            for (DWORD c = 0; c < face.cornerCount; ++c) {
                DWORD index = 0;
                if (!values.Index(vertexCount, index)) return false;
                corners.push_back(index);
            }
        }

        std::vector<D3DXVECTOR3> normals;
        std::vector<DWORD> normalOfCorner;
        if (const XObject* meshNormals = FirstChild(mesh, "MeshNormals")) {
            if (!ReadNormals(*meshNormals, faces, normals, normalOfCorner)) return false;
        }
        std::vector<D3DXVECTOR2> texcoords;
        if (const XObject* coords = FirstChild(mesh, "MeshTextureCoords")) {
            Values coordValues(coords->numbers);
            DWORD count = 0;
            if (!coordValues.Count(count) || count != vertexCount) return false;
            texcoords.resize(count);
            for (auto& coord : texcoords)
                if (!coordValues.Floats(&coord.x, 2)) return false;
        }
        std::vector<DWORD> faceMaterials;
        if (const XObject* list = FirstChild(mesh, "MeshMaterialList")) {
            if (!ReadMaterials(*list, faceCount, faceMaterials)) return false;
        }

        // Vertices: the file's, then one copy per further normal of a position.
        const DWORD base = DWORD(geometry_.positions.size());
        std::vector<DWORD> firstNormal(vertexCount, kUnset);
        std::unordered_map<ULONGLONG, DWORD> copies;
        std::vector<std::pair<DWORD, DWORD>> extra;  // (file vertex, normal)
        std::vector<DWORD> vertexOfCorner(corners.size());
        for (size_t c = 0; c < corners.size(); ++c) {
            const DWORD v = corners[c];
            if (normals.empty() || firstNormal[v] == kUnset || firstNormal[v] == normalOfCorner[c]) {
                if (!normals.empty()) firstNormal[v] = normalOfCorner[c];
                vertexOfCorner[c] = base + v;
                continue;
            }
            const auto [found, added] =
                copies.emplace(ULONGLONG{v} << 32 | normalOfCorner[c], base + vertexCount + DWORD(extra.size()));
            if (added) extra.emplace_back(v, normalOfCorner[c]);
            vertexOfCorner[c] = found->second;
        }
        if (ULONGLONG{base} + vertexCount + extra.size() > 0xFFFFFFFFu) return false;

        D3DXMATRIX normalMatrix;
        if (!D3DXMatrixInverse(&normalMatrix, nullptr, &world)) normalMatrix = world;
        else D3DXMatrixTranspose(&normalMatrix, &normalMatrix);
        const auto addVertex = [&](DWORD v, DWORD normal) {
            D3DXVECTOR3 position;
            D3DXVec3TransformCoord(&position, &positions[v], &world);
            geometry_.positions.push_back(position);
            D3DXVECTOR3 n(0, 0, 0);
            if (normal != kUnset) {
                D3DXVec3TransformNormal(&n, &normals[normal], &normalMatrix);
                D3DXVec3Normalize(&n, &n);
            }
            geometry_.normals.push_back(n);
            geometry_.texcoords.push_back(texcoords.empty() ? D3DXVECTOR2(0, 0) : texcoords[v]);
            geometry_.pointReps.push_back(base + v);
        };
        for (DWORD v = 0; v < vertexCount; ++v) addVertex(v, normals.empty() ? kUnset : firstNormal[v]);
        for (const auto& [v, normal] : extra) addVertex(v, normal);
        geometry_.hasNormals |= !normals.empty();
        geometry_.hasTexcoords |= !texcoords.empty();

        // Faces as fans around their first corner.
        for (DWORD f = 0; f < faceCount; ++f) {
            const Face& face = faces[f];
            const DWORD attribute = faceMaterials.empty() ? kNoMaterial : faceMaterials[f];
            for (DWORD c = 1; c + 1 < face.cornerCount; ++c) {
                geometry_.indices.push_back(vertexOfCorner[face.firstCorner]);
                geometry_.indices.push_back(vertexOfCorner[face.firstCorner + c]);
                geometry_.indices.push_back(vertexOfCorner[face.firstCorner + c + 1]);
                geometry_.attributes.push_back(attribute);
            }
        }
        return true;
    }

    static bool ReadNormals(const XObject& object, const std::vector<Face>& faces, std::vector<D3DXVECTOR3>& normals,
                            std::vector<DWORD>& normalOfCorner) {
        Values values(object.numbers);
        DWORD count = 0;
        if (!values.Count(count) || count > values.left() / 3) return false;
        normals.resize(count);
        for (auto& normal : normals)
            if (!values.Floats(&normal.x, 3)) return false;
        DWORD faceCount = 0;
        if (!values.Count(faceCount) || faceCount != faces.size()) return false;
        for (const Face& face : faces) {
            DWORD corners = 0;
            if (!values.Count(corners) || corners != face.cornerCount) return false;
            for (DWORD c = 0; c < corners; ++c) {
                DWORD index = 0;
                if (!values.Index(count, index)) return false;
                normalOfCorner.push_back(index);
            }
        }
        return true;
    }

    // Attribute ids of the faces, numbered after the materials of earlier
    // meshes; faces beyond the list take its last id.
    bool ReadMaterials(const XObject& list, DWORD faceCount, std::vector<DWORD>& faceMaterials) {
        Values values(list.numbers);
        DWORD materialCount = 0, indexCount = 0;
        if (!values.Count(materialCount) || !values.Count(indexCount) || indexCount > values.left()) return false;
        if (materialCount == 0) return true;
        if (indexCount == 0) return false;
        const DWORD first = DWORD(geometry_.materials.size());
        faceMaterials.resize(faceCount);
        for (DWORD f = 0; f < faceCount; ++f) {
            if (f >= indexCount) {
                faceMaterials[f] = faceMaterials[f - 1];
            } else if (!values.Index(materialCount, faceMaterials[f])) {
                return false;
            } else {
                faceMaterials[f] += first;
            }
        }
        DWORD found = 0;
        for (const auto& child : list.children) {
            const XObject* material = Resolve(child);
            if (!material || material->type != "Material" || found == materialCount) continue;
            XMaterial read;
            if (!ReadMaterial(*material, read)) return false;
            geometry_.materials.push_back(std::move(read));
            ++found;
        }
        return found == materialCount;
    }

    bool ReadMaterial(const XObject& object, XMaterial& material) const {
        Values values(object.numbers);
        D3DMATERIAL9& m = material.material;
        if (!values.Floats(&m.Diffuse.r, 4) || !values.Float(m.Power) || !values.Floats(&m.Specular.r, 3) ||
            !values.Floats(&m.Emissive.r, 3))
            return false;
        m.Specular.a = 1;
        m.Emissive.a = 1;
        if (const XObject* texture = FirstChild(object, "TextureFilename")) {
            if (texture->strings.empty()) return false;
            material.texture = texture->strings.front();
            material.hasTexture = true;
        }
        return true;
    }

    // Meshes without a material list share one white material when others
    // have materials, and attribute 0 otherwise.
    void AssignDefaultMaterial() {
        bool missing = false;
        for (DWORD attribute : geometry_.attributes) missing |= attribute == kNoMaterial;
        if (!missing) return;
        const DWORD index = DWORD(geometry_.materials.size());
        if (index > 0) {
            XMaterial white;
            white.material.Diffuse = {1, 1, 1, 1};
            white.material.Specular.a = 1;
            white.material.Emissive.a = 1;
            geometry_.materials.push_back(white);
        }
        for (DWORD& attribute : geometry_.attributes)
            if (attribute == kNoMaterial) attribute = index == 0 ? 0 : index;
    }

    const XDocument& document_;
    XGeometry& geometry_;
    int meshes_ = 0;
};

}  // namespace

HRESULT BuildGeometry(const XDocument& document, XGeometry& geometry) {
    geometry = {};
    return Builder(document, geometry).Build();
}

}  // namespace platform::d3dx9
