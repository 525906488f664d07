#include "document_scene.h"

#include "c4d_basedocument.h"
#include "c4d_baseobject.h"

namespace host {

namespace {

Vector32 colorOf(const BaseObject& op) {
    return Vector32(op.GetDataInstance()->GetVector(OBJECT_COLOR, Vector(0.8, 0.8, 0.8)));
}

void collect(const BaseObject* op, RenderScene& scene, bool& lightFound) {
    for (; op; op = op->GetNext()) {
        if (op->GetRenderMode() != MODE_OFF) {
            const BaseContainer& bc = *op->GetDataInstance();
            switch (op->GetType()) {
            case Osphere:
                scene.spheres.push_back(
                    {op->GetMg(), colorOf(*op), bc.GetFloat(PRIM_SPHERE_RADIUS, 100.0)});
                break;
            case Ocube:
                scene.boxes.push_back(
                    {op->GetMg(), colorOf(*op), bc.GetVector(PRIM_CUBE_SIZE, Vector(200.0))});
                break;
            case Oplane:
                scene.planes.push_back({op->GetMg(), colorOf(*op),
                                        bc.GetFloat(PRIM_PLANE_WIDTH, 400.0),
                                        bc.GetFloat(PRIM_PLANE_DEPTH, 400.0)});
                break;
            case Olight:
                // One light: the first in the tree, shining along its +Z.
                if (!lightFound) {
                    lightFound = true;
                    scene.light.direction = op->GetMg().axisZ.GetNormalized();
                    scene.light.color = Vector32(bc.GetVector(LIGHT_COLOR, Vector(1.0)));
                }
                break;
            default:
                break;
            }
        }
        collect(op->GetDown(), scene, lightFound);
    }
}

} // namespace

bool DocumentToRenderScene(const BaseDocument& doc, RenderScene& scene, std::string& error) {
    scene = RenderScene();
    bool lightFound = false;
    collect(doc.GetFirstObject(), scene, lightFound);
    const BaseContainer& bc = *doc.GetDataInstance();
    if (const GeData* ambient = bc.GetDataPointer(DOCUMENT_AMBIENT))
        scene.ambient = Vector32(ambient->GetVector());
    scene.environment.gridSpacing = bc.GetFloat(DOCUMENT_ENVIRONMENT_GRID, 100.0);
    const String image = bc.GetFilename(DOCUMENT_ENVIRONMENT_IMAGE).GetString();
    if (!image.IsEmpty() && !LoadEnvironmentImage(image.GetStdString(), scene.environment, error))
        return false;
    return true;
}

} // namespace host
