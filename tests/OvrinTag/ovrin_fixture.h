// A document made active, with the plug-in's tag and render effect registered as the host
// would have them after start-up.
#pragma once

#include "Ovrin360CamVP.h"
#include "OvrinTag/OvrinTag.h"
#include "c4d_basedocument.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_renderdata.h"
#include "c4d_tagdata.h"
#include "ovrin/ovrin_plugin_ids.h"

#include <gtest/gtest.h>

inline void RegisterOvrinNodeTypes() {
    static const bool registered = [] {
        const bool vp = RegisterVideoPostPlugin(ID_OVRIN360CAMVP, "Ovrin360Cam", 32,
                                                Ovrin360CamVP::Alloc, "Ovrin360Cam", 0, 0);
        const bool tag = RegisterTagPlugin(ID_OVRINTAG, "Ovrin Tag", TAG_VISIBLE | TAG_EXPRESSION,
                                           OvrinTag::Alloc, "OvrinTag", nullptr, 0);
        return vp && tag;
    }();
    ASSERT_TRUE(registered);
}

class OvrinDocument : public testing::Test {
protected:
    void SetUp() override {
        RegisterOvrinNodeTypes();
        doc = BaseDocument::Alloc();
        SetActiveDocument(doc);
        rd = doc->GetActiveRenderData();
        ASSERT_NE(rd, nullptr);
    }
    void TearDown() override {
        SetActiveDocument(nullptr);
        BaseDocument::Free(doc);
    }

    // A camera inserted under parent (or at the top, after pred).
    BaseObject* AddCamera(BaseObject* parent = nullptr, BaseObject* pred = nullptr) {
        BaseObject* op = BaseObject::Alloc(Ocamera);
        doc->InsertObject(op, parent, pred);
        return op;
    }
    BaseObject* AddNull(BaseObject* parent = nullptr, BaseObject* pred = nullptr) {
        BaseObject* op = BaseObject::Alloc(Onull);
        doc->InsertObject(op, parent, pred);
        return op;
    }
    static BaseTag* AddTag(BaseObject* op) { return op->MakeTag(ID_OVRINTAG); }

    // The render effect of the active render settings, or null.
    BaseVideoPost* Effect() const { return FindOvrinVideoPost(doc, false); }
    Ovrin360CamVP* EffectData() const {
        BaseVideoPost* vp = Effect();
        return vp ? vp->GetNodeData<Ovrin360CamVP>() : nullptr;
    }

    static GeData Get(C4DAtom* node, Int32 id) {
        GeData v;
        EXPECT_TRUE(node->GetParameter(DescID(id), v, DESCFLAGS_GET_NONE));
        return v;
    }
    static void Set(C4DAtom* node, Int32 id, const GeData& v,
                    DESCFLAGS_SET flags = DESCFLAGS_SET_NONE) {
        EXPECT_TRUE(node->SetParameter(DescID(id), v, flags));
    }

    BaseDocument* doc = nullptr;
    RenderData* rd = nullptr;
};
