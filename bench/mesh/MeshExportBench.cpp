// Exporting a 1,000 x 1,000-quad plane (about 1 M polygons) through the mesh export command,
// beside the same mesh written by assimp's binary PLY exporter and a raw fwrite of the same byte
// count. Two more figures split the command's time: the host calls the writer makes, and the
// module's own encoding of the fetched data into a file.

#include <benchmark/benchmark.h>

#include <assimp/material.h>
#include <assimp/mesh.h>
#include <assimp/scene.h>
#include <assimp/Exporter.hpp>

#include <maya/MArgList.h>
#include <maya/MDagPath.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MPointArray.h>
#include <maya/MSelectionList.h>
#include <maya/MVector.h>

#include <unistd.h>

#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "boundary/base/GString.h"
#include "boundary/base/ofpstream.h"
#include "boundary/base/ompstream.h"
#include "engine/CommandResult.h"
#include "engine/PluginRegistry.h"
#include "engine/Scene.h"
#include "mesh_model/MeshRecordWriter.h"

namespace {

constexpr int kQuadsPerSide = 1000;

std::string benchFolder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/vxr_mesh_bench.XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made ? made : "/tmp");
  }();
  return folder;
}

long fileSize(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : -1;
}

// The plane with its UVs, selected, and the plug-in loaded: built once for the whole run.
struct PlaneScene {
  MDagPath path;
  bool ready = false;

  PlaneScene() {
    std::string error;
    minihost::Scene::get().newScene();
    if (!minihost::PluginRegistry::get().load(VXR_PLUGIN_PATH, &error)) {
      std::fprintf(stderr, "cannot load the plug-in: %s\n", error.c_str());
      return;
    }
    const int side = kQuadsPerSide + 1;
    MFloatPointArray points;
    MFloatArray u, v;
    for (int row = 0; row < side; ++row) {
      for (int column = 0; column < side; ++column) {
        points.append(MFloatPoint(column * 0.01f - 5.0f, 0.0f, row * 0.01f - 5.0f));
        u.append(column / float(kQuadsPerSide));
        v.append(row / float(kQuadsPerSide));
      }
    }
    MIntArray counts, connects;
    for (int row = 0; row < kQuadsPerSide; ++row) {
      for (int column = 0; column < kQuadsPerSide; ++column) {
        const int corner = row * side + column;
        counts.append(4);
        connects.append(corner);
        connects.append(corner + 1);
        connects.append(corner + side + 1);
        connects.append(corner + side);
      }
    }
    MFnMesh mesh;
    MObject transform = mesh.create(static_cast<int>(points.length()),
                                    static_cast<int>(counts.length()), points, counts, connects);
    mesh.setUVs(u, v);
    mesh.assignUVs(counts, connects);
    MFnDagNode(transform).getPath(path);
    path.extendToShape();
    MSelectionList selection;
    selection.add(path);
    MGlobal::setActiveSelectionList(selection);
    ready = true;
  }
};

PlaneScene& planeScene() {
  static PlaneScene scene;
  return scene;
}

// What the writer fetches from the host, as plain lists in the host's axes.
struct MeshSnapshot {
  std::vector<float> points;
  std::vector<float> normals;
  std::vector<std::uint32_t> cornerCounts;  // one per polygon
  std::vector<std::uint32_t> vertexIds;     // one per corner
  std::vector<std::uint32_t> normalIds;     // one per corner
  std::vector<float> uvs;                   // u, v per corner
  std::vector<double> faceNormals;          // x, y, z per polygon
};

template <class HostArray, class T>
void copyOut(const HostArray& from, std::vector<T>& to) {
  to.resize(from.length());
  if (!to.empty())
    from.get(to.data());
}

// The host calls the writer makes for one mesh, in the same order, each host array copied out
// once as the writer does.
void fetch(const MDagPath& path, MeshSnapshot* keep) {
  MFnMesh mesh(path);
  MPointArray points;
  mesh.getPoints(points, MSpace::kWorld);
  MFloatVectorArray normals;
  mesh.getNormals(normals, MSpace::kWorld);
  std::vector<int> vertices, normalIds, uvIds, uvCounts;
  MIntArray counts, ids;
  mesh.getVertices(counts, ids);
  copyOut(ids, vertices);
  mesh.getNormalIds(counts, ids);
  copyOut(ids, normalIds);
  mesh.getAssignedUVs(counts, ids);
  copyOut(counts, uvCounts);
  copyOut(ids, uvIds);
  MFloatArray hostU, hostV;
  mesh.getUVs(hostU, hostV);
  std::vector<float> u, v;
  copyOut(hostU, u);
  copyOut(hostV, v);
  if (keep) {
    for (unsigned int i = 0; i < points.length(); ++i) {
      keep->points.push_back(static_cast<float>(points[i].x));
      keep->points.push_back(static_cast<float>(points[i].y));
      keep->points.push_back(static_cast<float>(points[i].z));
    }
    for (unsigned int i = 0; i < normals.length(); ++i) {
      keep->normals.push_back(normals[i].x);
      keep->normals.push_back(normals[i].y);
      keep->normals.push_back(normals[i].z);
    }
  }
  MVector faceNormal;
  MObject whole;
  std::size_t corner = 0;
  std::size_t uvCorner = 0;
  unsigned int p = 0;
  for (MItMeshPolygon it(path, whole); !it.isDone(); it.next(), ++p) {
    const unsigned int n = it.polygonVertexCount();
    it.getNormal(faceNormal, MSpace::kWorld);
    const bool mapped = uvCounts[p] == static_cast<int>(n);
    if (keep)
      keep->cornerCounts.push_back(n);
    for (unsigned int j = 0; j < n; ++j, ++corner) {
      float uv[2] = {0, 0};
      if (mapped) {
        const std::size_t id = static_cast<std::size_t>(uvIds[uvCorner++]);
        uv[0] = u[id];
        uv[1] = v[id];
      }
      if (keep) {
        keep->vertexIds.push_back(static_cast<std::uint32_t>(vertices[corner]));
        keep->normalIds.push_back(static_cast<std::uint32_t>(normalIds[corner]));
        keep->uvs.push_back(uv[0]);
        keep->uvs.push_back(uv[1]);
      }
      benchmark::DoNotOptimize(uv);
    }
    if (keep) {
      keep->faceNormals.push_back(faceNormal.x);
      keep->faceNormals.push_back(faceNormal.y);
      keep->faceNormals.push_back(faceNormal.z);
    }
  }
  benchmark::DoNotOptimize(faceNormal.x);
}

// The file benchmarks write either over the file the previous iteration left (target 0, as a
// re-export does) or to a new file (target 1, as a sequence of frames does): the previous file
// is then removed outside the timed region. On this machine freeing a large file's blocks, when
// it is replaced or truncated, costs about half a millisecond per megabyte.
enum Target { kReplace, kNew };

void prepareTarget(benchmark::State& state, int target, const std::string& path) {
  if (target != kNew)
    return;
  state.PauseTiming();
  std::remove(path.c_str());
  state.ResumeTiming();
}

const MeshSnapshot& snapshot() {
  static const MeshSnapshot kept = [] {
    MeshSnapshot s;
    fetch(planeScene().path, &s);
    return s;
  }();
  return kept;
}

void encode(opstream& out, const MeshSnapshot& s) {
  MeshRecordWriter writer(out, false);
  writer.writeHeader("pPlaneShape1");
  writer.writeVectors(s.points.data(), s.points.size() / 3);
  writer.writeVectors(s.normals.data(), s.normals.size() / 3);
  writer.writePolygonCount(static_cast<std::uint32_t>(s.cornerCounts.size()));
  std::size_t corner = 0;
  for (std::size_t p = 0; p < s.cornerCounts.size(); ++p) {
    const double* n = &s.faceNormals[3 * p];
    writer.writePolygon(
        s.cornerCounts[p],
        [&](std::uint32_t j) {
          const std::size_t c = corner + j;
          return MeshRecordWriter::Corner{s.vertexIds[c], s.normalIds[c], s.uvs[2 * c],
                                          s.uvs[2 * c + 1]};
        },
        [n] {
          return MeshRecordWriter::Normal{n[0], n[1], n[2]};
        });
    corner += s.cornerCounts[p];
  }
}

void BM_ExportCommand(benchmark::State& state) {
  if (!planeScene().ready) {
    state.SkipWithError("no scene");
    return;
  }
  const std::string base = benchFolder() + "/command";
  MArgList args;
  args.addArg(MString("-file"));
  args.addArg(MString(base.c_str()));
  for (auto _ : state) {
    prepareTarget(state, static_cast<int>(state.range(0)), base + ".vxrmesh");
    minihost::CommandResult result;
    if (!minihost::PluginRegistry::get().runCommand("VXR_MeshExportCmd", args, result)) {
      state.SkipWithError("the command failed");
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * fileSize(base + ".vxrmesh"));
}

void BM_HostCallsOnly(benchmark::State& state) {
  if (!planeScene().ready) {
    state.SkipWithError("no scene");
    return;
  }
  for (auto _ : state)
    fetch(planeScene().path, nullptr);
}

// Each host call of the writer on its own, to say where the host's share of the time goes.
enum HostCall { kPoints, kNormals, kVertices, kNormalIds, kAssignedUVs, kUVs, kPolygonWalk };

void BM_HostCall(benchmark::State& state) {
  if (!planeScene().ready) {
    state.SkipWithError("no scene");
    return;
  }
  const MDagPath& path = planeScene().path;
  MFnMesh mesh(path);
  for (auto _ : state) {
    MPointArray points;
    MFloatVectorArray normals;
    MIntArray counts, ids;
    MFloatArray u, v;
    MVector normal;
    switch (state.range(0)) {
      case kPoints:
        mesh.getPoints(points, MSpace::kWorld);
        benchmark::DoNotOptimize(points.length());
        break;
      case kNormals:
        mesh.getNormals(normals, MSpace::kWorld);
        benchmark::DoNotOptimize(normals.length());
        break;
      case kVertices:
        mesh.getVertices(counts, ids);
        break;
      case kNormalIds:
        mesh.getNormalIds(counts, ids);
        break;
      case kAssignedUVs:
        mesh.getAssignedUVs(counts, ids);
        break;
      case kUVs:
        mesh.getUVs(u, v);
        benchmark::DoNotOptimize(u.length());
        break;
      default: {
        MObject whole;
        unsigned int corners = 0;
        for (MItMeshPolygon it(path, whole); !it.isDone(); it.next()) {
          corners += it.polygonVertexCount();
          it.getNormal(normal, MSpace::kWorld);
        }
        benchmark::DoNotOptimize(corners);
        benchmark::DoNotOptimize(normal.x);
      }
    }
    benchmark::DoNotOptimize(ids.length());
  }
}

// The module's own work: encoding the fetched data through the output file stream, closing
// included. Arg 1 syncs the file before the rename, as the command does; 0 does not.
void BM_EncodeIntoFile(benchmark::State& state) {
  if (!planeScene().ready) {
    state.SkipWithError("no scene");
    return;
  }
  const MeshSnapshot& s = snapshot();
  const std::string path = benchFolder() + "/encoded.vxrmesh";
  for (auto _ : state) {
    prepareTarget(state, static_cast<int>(state.range(1)), path);
    ofpstream out(path.c_str());
    out.setSyncOnClose(state.range(0) != 0);
    encode(out, s);
    if (!out.close()) {
      state.SkipWithError("close failed");
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * fileSize(path));
}

// The same byte count in one fwrite, to a new file each time; arg 1 also syncs it.
void BM_RawFwrite(benchmark::State& state) {
  if (!planeScene().ready) {
    state.SkipWithError("no scene");
    return;
  }
  ompstream probe;
  encode(probe, snapshot());
  const std::string bytes(probe.data(), probe.size());
  const std::string path = benchFolder() + "/raw.bin";
  for (auto _ : state) {
    prepareTarget(state, static_cast<int>(state.range(1)), path);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
      state.SkipWithError("raw write failed");
      return;
    }
    std::fflush(file);
    if (state.range(0) != 0)
      fsync(fileno(file));
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}

// The plane as assimp holds it: per-vertex positions, normals and UVs, quads as faces.
aiScene* assimpPlane(const MeshSnapshot& s) {
  auto* scene = new aiScene();
  scene->mRootNode = new aiNode();
  scene->mRootNode->mNumMeshes = 1;
  scene->mRootNode->mMeshes = new unsigned int[1]{0};
  scene->mNumMaterials = 1;
  scene->mMaterials = new aiMaterial* [1] { new aiMaterial() };
  scene->mNumMeshes = 1;
  scene->mMeshes = new aiMesh* [1] { new aiMesh() };
  aiMesh* mesh = scene->mMeshes[0];
  mesh->mPrimitiveTypes = aiPrimitiveType_POLYGON;
  const unsigned int vertices = static_cast<unsigned int>(s.points.size() / 3);
  mesh->mNumVertices = vertices;
  mesh->mVertices = new aiVector3D[vertices];
  mesh->mNormals = new aiVector3D[vertices];
  mesh->mTextureCoords[0] = new aiVector3D[vertices];
  mesh->mNumUVComponents[0] = 2;
  for (unsigned int i = 0; i < vertices; ++i) {
    mesh->mVertices[i] = aiVector3D(s.points[3 * i], s.points[3 * i + 1], s.points[3 * i + 2]);
    mesh->mNormals[i] = aiVector3D(0, 1, 0);
    mesh->mTextureCoords[0][i] = aiVector3D(0, 0, 0);
  }
  const unsigned int faces = static_cast<unsigned int>(s.cornerCounts.size());
  mesh->mNumFaces = faces;
  mesh->mFaces = new aiFace[faces];
  std::size_t corner = 0;
  for (unsigned int face = 0; face < faces; ++face) {
    aiFace& f = mesh->mFaces[face];
    f.mNumIndices = s.cornerCounts[face];
    f.mIndices = new unsigned int[f.mNumIndices];
    for (unsigned int j = 0; j < f.mNumIndices; ++j)
      f.mIndices[j] = s.vertexIds[corner++];
  }
  return scene;
}

void BM_AssimpBinaryPly(benchmark::State& state) {
  if (!planeScene().ready) {
    state.SkipWithError("no scene");
    return;
  }
  aiScene* scene = assimpPlane(snapshot());
  const std::string path = benchFolder() + "/assimp.ply";
  Assimp::Exporter exporter;
  for (auto _ : state) {
    prepareTarget(state, static_cast<int>(state.range(0)), path);
    if (exporter.Export(scene, "plyb", path) != aiReturn_SUCCESS) {
      state.SkipWithError(exporter.GetErrorString());
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * fileSize(path));
  delete scene;
}

// What an exporter built on assimp would do for the same command: fetch the mesh from the host,
// build assimp's scene from it and export that, all inside the timed loop.
void BM_AssimpFromHost(benchmark::State& state) {
  if (!planeScene().ready) {
    state.SkipWithError("no scene");
    return;
  }
  const std::string path = benchFolder() + "/assimp_host.ply";
  Assimp::Exporter exporter;
  for (auto _ : state) {
    prepareTarget(state, static_cast<int>(state.range(0)), path);
    MeshSnapshot fetched;
    fetch(planeScene().path, &fetched);
    aiScene* scene = assimpPlane(fetched);
    const aiReturn result = exporter.Export(scene, "plyb", path);
    delete scene;
    if (result != aiReturn_SUCCESS) {
      state.SkipWithError(exporter.GetErrorString());
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * fileSize(path));
}

void fileBenchmark(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
}

BENCHMARK(BM_ExportCommand)->ArgName("target")->DenseRange(kReplace, kNew)->Apply(fileBenchmark);
BENCHMARK(BM_AssimpBinaryPly)->ArgName("target")->DenseRange(kReplace, kNew)->Apply(fileBenchmark);
BENCHMARK(BM_AssimpFromHost)->ArgName("target")->DenseRange(kReplace, kNew)->Apply(fileBenchmark);
BENCHMARK(BM_HostCallsOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_HostCall)
    ->ArgName("call")
    ->DenseRange(kPoints, kPolygonWalk)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime();
BENCHMARK(BM_EncodeIntoFile)
    ->ArgNames({"sync", "target"})
    ->ArgsProduct({{1, 0}, {kReplace, kNew}})
    ->Apply(fileBenchmark);
BENCHMARK(BM_RawFwrite)
    ->ArgNames({"sync", "target"})
    ->ArgsProduct({{1, 0}, {kReplace, kNew}})
    ->Apply(fileBenchmark);

}  // namespace

BENCHMARK_MAIN();
