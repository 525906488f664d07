#include "c4d_renderdata.h"

#include "c4d_videopostdata.h"
#include "node_alloc.h"

RenderData::RenderData() : BaseList2D(Rbase), videoPosts_(this, nullptr, false) {
    SetName("Render Settings");
    WriteDefaults(*GetDataInstance());
}

RenderData::~RenderData() {
    videoPosts_.FlushAll();
}

void RenderData::WriteDefaults(BaseContainer& bc) {
    bc.SetFloat(RENDERDATA_WIDTH, 800.0);
    bc.SetFloat(RENDERDATA_HEIGHT, 600.0);
    bc.SetFloat(RENDERDATA_FRAMERATE, 30.0);
    bc.SetBool(RENDERDATA_ALPHACHANNEL, true);
    bc.SetBool(RENDERDATA_STEREO, false);
}

BaseVideoPost* RenderData::GetFirstVideoPost() const {
    return static_cast<BaseVideoPost*>(videoPosts_.GetFirst());
}

void RenderData::InsertVideoPost(BaseVideoPost* vp, BaseVideoPost* pred) {
    if (!vp)
        return;
    if (pred && pred != vp && pred->GetRenderData() == this)
        vp->InsertAfter(pred);
    else
        videoPosts_.InsertFirst(vp);
    SetDirty(DIRTYFLAGS_CHILDREN);
}

void RenderData::InsertVideoPostLast(BaseVideoPost* vp) {
    if (!vp)
        return;
    videoPosts_.InsertLast(vp);
    SetDirty(DIRTYFLAGS_CHILDREN);
}

C4DAtom* RenderData::CloneAtom(COPYFLAGS flags) const {
    auto* copy = new RenderData();
    CopyBaseTo(copy);
    for (const BaseVideoPost* vp = GetFirstVideoPost(); vp; vp = vp->GetNext()) {
        if (auto* c = static_cast<BaseVideoPost*>(vp->GetClone(flags, nullptr)))
            copy->InsertVideoPostLast(c);
    }
    return copy;
}

BaseVideoPost* BaseVideoPost::Alloc(Int32 type) {
    const host::PluginEntry* e = host::FindPlugin(type, host::PluginKind::VideoPost);
    return e ? host::AttachAndInit(new BaseVideoPost(type), *e) : nullptr;
}

RenderData* BaseVideoPost::GetRenderData() const {
    const GeListHead* head = GetListHead();
    return head ? dynamic_cast<RenderData*>(head->GetOwner()) : nullptr;
}

VideoPostData* BaseVideoPost::GetVideoPostData() const {
    return dynamic_cast<VideoPostData*>(GetNodeData());
}

C4DAtom* BaseVideoPost::CloneAtom(COPYFLAGS flags) const {
    (void)flags;
    BaseVideoPost* copy = Alloc(GetType());
    if (copy)
        CopyBaseTo(copy);
    return copy;
}
