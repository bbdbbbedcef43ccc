# Installs the Khronos glTF Validator and three.js (whose GLTFLoader the tests run under Node)
# from the npm registry into DIR, once.
if(EXISTS "${DIR}/node_modules/gltf-validator/package.json" AND EXISTS "${DIR}/node_modules/three/package.json")
  return()
endif()
file(MAKE_DIRECTORY "${DIR}")
execute_process(COMMAND "${NPM}" install --prefix "${DIR}" --no-audit --no-fund --no-save gltf-validator@2.0.0-dev.3.10
                        three@0.160.0
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "npm could not install gltf-validator and three into ${DIR}")
endif()
