// Reads a binary glTF file with three.js's GLTFLoader under Node (no browser) and prints what a
// web viewer would build of it, as one JSON line: the node tree by name, each mesh's material
// sides, and per mesh the range of its uv attribute with the mean height of the vertices at
// v = 0 and at v = 1. THREE_MODULES names the node_modules folder three was installed into.
import fs from 'fs';
import path from 'path';
import {pathToFileURL} from 'url';

const modules = process.env.THREE_MODULES;
const THREE = await import(pathToFileURL(path.join(modules, 'three/build/three.module.js')));
const {GLTFLoader} = await import(pathToFileURL(path.join(modules, 'three/examples/jsm/loaders/GLTFLoader.js')));

const bytes = fs.readFileSync(process.argv[2]);
const buffer = bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength);
new GLTFLoader().parse(buffer, '', (gltf) => {
  const tree = (object) => ({name: object.name, children: object.children.filter((c) => !c.isMesh).map(tree)});
  const meshes = [];
  gltf.scene.traverse((object) => {
    if (!object.isMesh) return;
    const uv = object.geometry.getAttribute('uv');
    const position = object.geometry.getAttribute('position');
    const mesh = {doubleSided: object.material.side === THREE.DoubleSide, uv: uv !== undefined};
    if (uv !== undefined) {
      let min = [Infinity, Infinity], max = [-Infinity, -Infinity], at0 = [0, 0], at1 = [0, 0];
      for (let i = 0; i < uv.count; ++i) {
        const u = uv.getX(i), v = uv.getY(i);
        min = [Math.min(min[0], u), Math.min(min[1], v)];
        max = [Math.max(max[0], u), Math.max(max[1], v)];
        if (v === 0) at0 = [at0[0] + position.getY(i), at0[1] + 1];
        if (v === 1) at1 = [at1[0] + position.getY(i), at1[1] + 1];
      }
      Object.assign(mesh, {min, max, heightAtV0: at0[0] / at0[1], heightAtV1: at1[0] / at1[1]});
    }
    meshes.push(mesh);
  });
  console.log(JSON.stringify({scene: gltf.scene.children.map(tree), meshes}));
}, (error) => {
  console.log(JSON.stringify({error: String(error)}));
  process.exit(1);
});
