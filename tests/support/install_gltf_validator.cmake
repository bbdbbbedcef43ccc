# Installs the Khronos glTF Validator from the npm registry into DIR, once.
if(EXISTS "${DIR}/node_modules/gltf-validator/package.json")
  return()
endif()
file(MAKE_DIRECTORY "${DIR}")
execute_process(COMMAND "${NPM}" install --prefix "${DIR}" --no-audit --no-fund --no-save gltf-validator@2.0.0-dev.3.10
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "npm could not install gltf-validator into ${DIR}")
endif()
