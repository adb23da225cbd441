#include "platform/d3dx8/sprite.h"

#include "platform/d3d8/ref_counted.h"
#include "platform/d3dx8/sprite_quad.h"

namespace {

class Sprite final : public RefCounted<ID3DXSprite> {
public:
    explicit Sprite(IDirect3DDevice8* device) : device(device) { device->AddRef(); }

    ~Sprite() override
    {
        if (begun) {
            device->DeleteStateBlock(savedState);
        }
        device->Release();
    }

    HRESULT GetDevice(IDirect3DDevice8** out) override
    {
        if (out == nullptr) {
            return D3DERR_INVALIDCALL;
        }
        device->AddRef();
        *out = device;
        return D3D_OK;
    }

    HRESULT Begin() override
    {
        if (begun) {
            return D3DERR_INVALIDCALL;
        }
        const HRESULT result = device->CreateStateBlock(D3DSBT_ALL, &savedState);
        if (FAILED(result)) {
            return result;
        }
        begun = true;
        SetSpriteState();
        return D3D_OK;
    }

    HRESULT Draw(IDirect3DTexture8* texture, const RECT* sourceRect, const D3DXVECTOR2* scaling,
                 const D3DXVECTOR2* rotationCenter, float rotation, const D3DXVECTOR2* translation,
                 D3DCOLOR color) override
    {
        if (texture == nullptr) {
            return D3DERR_INVALIDCALL;
        }
        if (!begun) {
            HRESULT result = Begin();
            if (FAILED(result)) {
                return result;
            }
            result = Draw(texture, sourceRect, scaling, rotationCenter, rotation, translation, color);
            const HRESULT ended = End();
            return FAILED(result) ? result : ended;
        }
        D3DSURFACE_DESC desc;
        HRESULT result = texture->GetLevelDesc(0, &desc);
        if (FAILED(result)) {
            return result;
        }
        if (desc.Width == 0 || desc.Height == 0) {
            return D3DERR_INVALIDCALL;
        }
        const std::array<SpriteVertex, 4> quad = BuildSpriteQuad(desc.Width, desc.Height, sourceRect, scaling,
                                                                 rotationCenter, rotation, translation, color);
        result = device->SetTexture(0, texture);
        if (SUCCEEDED(result)) {
            result = device->SetVertexShader(SPRITE_FVF);
        }
        if (SUCCEEDED(result)) {
            result = device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(SpriteVertex));
        }
        return result;
    }

    HRESULT End() override
    {
        if (!begun) {
            return D3DERR_INVALIDCALL;
        }
        begun = false;
        const HRESULT applied = device->ApplyStateBlock(savedState);
        const HRESULT deleted = device->DeleteStateBlock(savedState);
        return FAILED(applied) ? applied : deleted;
    }

private:
    void SetSpriteState()
    {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
        device->SetRenderState(D3DRS_ALPHAREF, 0);
        device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetRenderState(D3DRS_FOGENABLE, FALSE);
        // Cylindrical wrapping left on by a caller would fold the quad's
        // 0..1 coordinates onto one texel column.
        device->SetRenderState(D3DRS_WRAP0, 0);
        device->SetRenderState(D3DRS_CLIPPING, TRUE);
        device->SetRenderState(D3DRS_CLIPPLANEENABLE, 0);
        device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
        device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
        device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
        device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
        device->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_DISABLE);
        device->SetRenderState(D3DRS_INDEXEDVERTEXBLENDENABLE, FALSE);
        device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);

        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        // A texture-coordinate generation or transform left on stage 0 would
        // replace the quad's own coordinates.
        device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
        device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
        device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
        device->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_NONE);
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
        device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    }

    IDirect3DDevice8* device;
    bool begun = false;
    DWORD savedState = 0;
};

} // namespace

HRESULT D3DXCreateSprite(IDirect3DDevice8* device, ID3DXSprite** sprite)
{
    if (device == nullptr || sprite == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *sprite = new Sprite(device);
    return D3D_OK;
}
